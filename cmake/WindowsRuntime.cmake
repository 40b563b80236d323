# The Windows build's runtime: the MinGW-w64 libraries every program needs beside Qt's, and how
# CTest runs the programs here, under Wine. Included before the programs are defined.
find_package(Qt6 6.4 QUIET COMPONENTS Core)
if(NOT Qt6_FOUND)
    message(FATAL_ERROR "No Qt for Windows in '${KIVO_QT_WINDOWS}': export KIVO_QT_WINDOWS as "
                        "printed by scripts/build-qt-windows.sh, then configure again")
endif()

# The compiler knows where its own runtime libraries are.
set(KIVO_MINGW_RUNTIME)
foreach(dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll)
    execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=${dll}
                    OUTPUT_VARIABLE found OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT IS_ABSOLUTE "${found}")
        message(FATAL_ERROR "${CMAKE_CXX_COMPILER} does not know where ${dll} is")
    endif()
    file(REAL_PATH "${found}" found)
    list(APPEND KIVO_MINGW_RUNTIME ${found})
endforeach()

# Tests find Qt's and the runtime's DLLs through Wine's PATH, in a Wine prefix of their own.
set(dll_folders ${QT6_INSTALL_PREFIX}/${QT6_INSTALL_BINS})
foreach(dll IN LISTS KIVO_MINGW_RUNTIME)
    get_filename_component(folder ${dll} DIRECTORY)
    list(APPEND dll_folders ${folder})
endforeach()
list(REMOVE_DUPLICATES dll_folders)
set(CMAKE_CROSSCOMPILING_EMULATOR
    ${PROJECT_SOURCE_DIR}/cmake/wine-qtest.sh ${PROJECT_BINARY_DIR}/wine ${dll_folders} --)
