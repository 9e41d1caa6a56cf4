# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, in its POSIX thread model (which Qt
# 6 needs). Programs built for Windows run here through Wine, at build time and in the tests.
#
#     cmake --preset windows -DCMAKE_PREFIX_PATH="<Qt for Windows>;<GoogleTest for Windows>"
#
# scripts/windows.sh builds those two prefixes, and Qt itself, with this file.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# Headers, libraries and CMake packages come from MinGW's tree and the prefixes built for Windows,
# never from the host; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet} ${CMAKE_PREFIX_PATH})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Qt's build tools (moc, rcc, uic) and their CMake packages come from the host's Qt.
set(QT_HOST_PATH /usr CACHE PATH "The host's Qt, whose tools a cross build runs")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "The host Qt's CMake packages")

# A Windows program finds its libraries beside it or on its PATH. Under Wine that path holds the
# MinGW runtime (libstdc++, libgcc, libssp, winpthread) and the bin folders of the prefixes.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE mingw_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(mingw_runtime "${mingw_libstdcxx}" DIRECTORY)
# Where the MinGW runtime's libraries are, for whatever gathers them beside the program.
set(PENTORA_MINGW_RUNTIME_DIRS ${mingw_runtime} /usr/${mingw_triplet}/lib
    CACHE INTERNAL "The folders of the MinGW runtime's DLLs")
set(wine_path ${PENTORA_MINGW_RUNTIME_DIRS})
foreach(prefix IN LISTS CMAKE_PREFIX_PATH)
    list(APPEND wine_path ${prefix}/bin)
endforeach()
list(JOIN wine_path : wine_path)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh --path=${wine_path})
