# Run by ctest: refuses Qt's check macros in the test sources. Inside a GoogleTest body a failing
# QVERIFY, QCOMPARE, QTRY_*, QFAIL or QSKIP only returns from the body (or from the helper it
# is in), and the test is reported passed; QEXPECT_FAIL means nothing there.
cmake_minimum_required(VERSION 3.25)
set(pattern "(^|[^A-Za-z0-9_])Q(TRY_)?(VERIFY|COMPARE)[0-9A-Z_]*[ \t]*\\(|(^|[^A-Za-z0-9_])Q(FAIL|SKIP|EXPECT_FAIL)[ \t]*\\(")

# The pattern itself is checked first, so that a change to it cannot quietly let everything
# through: each of these lines must be refused, and the last two must pass.
set(refused "QVERIFY(ok)" "  QCOMPARE (a, b)" "QTRY_VERIFY(x)" "QTRY_COMPARE_WITH_TIMEOUT(a, b, 9)"
    "QVERIFY2(ok, why)" "QCOMPARE_EQ(a, b)" "QFAIL(\"no\")" "QSKIP(\"later\")"
    "QEXPECT_FAIL(\"\", \"x\", Abort)")
set(passed "ASSERT_SOON(ok)" "// Qt's QTRY_VERIFY only returns")
foreach(line IN LISTS refused)
    if(NOT line MATCHES "${pattern}")
        message(FATAL_ERROR "the check lets this through: ${line}")
    endif()
endforeach()
foreach(line IN LISTS passed)
    if(line MATCHES "${pattern}")
        message(FATAL_ERROR "the check refuses this: ${line}")
    endif()
endforeach()

file(GLOB_RECURSE sources ${TEST_DIR}/*.cpp ${TEST_DIR}/*.h)
list(LENGTH sources count)
if(count EQUAL 0)
    message(FATAL_ERROR "no test sources found in ${TEST_DIR}")
endif()
set(report "")
foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX "${pattern}")
    if(lines)
        file(RELATIVE_PATH name ${TEST_DIR} ${source})
        string(APPEND report "\n  ${name}")
    endif()
endforeach()
if(report)
    message(FATAL_ERROR "Qt check macros cannot fail a GoogleTest test; wait with "
        "support/Wait.h and check with EXPECT/ASSERT in:${report}")
endif()
