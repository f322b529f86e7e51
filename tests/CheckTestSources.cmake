# Run by ctest: refuses Qt's check macros in the test sources. Inside a GoogleTest body a failing
# QVERIFY, QCOMPARE or QTRY_* only returns from the body, and the test is reported passed.
cmake_minimum_required(VERSION 3.25)
file(GLOB_RECURSE sources ${TEST_DIR}/*.cpp ${TEST_DIR}/*.h)
set(report "")
foreach(source IN LISTS sources)
    file(STRINGS ${source} lines REGEX "Q(TRY_)?(VERIFY|COMPARE)[0-9A-Z_]*[ \t]*\\(")
    if(lines)
        file(RELATIVE_PATH name ${TEST_DIR} ${source})
        string(APPEND report "\n  ${name}")
    endif()
endforeach()
if(report)
    message(FATAL_ERROR "Qt check macros cannot fail a GoogleTest test; wait with "
        "support/Wait.h and check with EXPECT/ASSERT in:${report}")
endif()
