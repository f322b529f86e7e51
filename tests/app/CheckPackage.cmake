# Builds the Debian package of the built game into a scratch folder and checks what it asks
# the system for: the X11 and Wayland platform plugins and Qt's own translations, without which
# the game aborts on a Wayland desktop and Qt's dialogs speak English to a Japanese player, and
# the sound library the game opens by name, which no linked library tells dpkg about.
# Run with: cmake -DCPACK=<cpack> -DBUILD_DIR=<build tree> -DSCRATCH=<folder> -P CheckPackage.cmake
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH})
# Uncompressed: only its control fields are read.
execute_process(COMMAND ${CPACK} -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${SCRATCH}
        -D CPACK_DEBIAN_COMPRESSION_TYPE=none
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "cpack failed:\n${output}")
endif()
file(GLOB packages ${SCRATCH}/*.deb)
list(LENGTH packages count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package, found: ${packages}")
endif()
execute_process(COMMAND dpkg-deb -f ${packages} Depends
    RESULT_VARIABLE result OUTPUT_VARIABLE depends ERROR_VARIABLE error)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "dpkg-deb failed: ${error}")
endif()
string(STRIP "${depends}" depends)
string(REPLACE ", " ";" needs "${depends}")
foreach(needed qt6-qpa-plugins qt6-wayland qt6-translations-l10n libsdl2-mixer-2.0-0)
    set(found FALSE)
    foreach(need IN LISTS needs)
        if(need MATCHES "^${needed}( \\(|$)")
            set(found TRUE)
        endif()
    endforeach()
    if(NOT found)
        message(FATAL_ERROR "the package does not depend on ${needed}: Depends: ${depends}")
    endif()
endforeach()
message(STATUS "Depends: ${depends}")
file(REMOVE_RECURSE ${SCRATCH})
