# Cross-compiling for 64-bit Windows with Debian's MinGW-w64, in its POSIX thread model (which Qt
# 6 needs). Programs built for Windows run here through Wine, at build time and in the tests.
#
#     cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=packaging/windows/mingw-w64-x86_64.cmake \
#           -DCMAKE_PREFIX_PATH="<Qt for Windows>;<GoogleTest for Windows>" -DQT_HOST_PATH=/usr
#
# scripts/windows.sh builds those two prefixes and the game this way.
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

# A Windows program finds its libraries beside it or on its PATH. Under Wine that path holds the
# MinGW runtime (libstdc++, libgcc, libssp, winpthread) and the bin folders of the prefixes.
execute_process(COMMAND ${CMAKE_CXX_COMPILER} -print-file-name=libstdc++-6.dll
                OUTPUT_VARIABLE mingw_libstdcxx OUTPUT_STRIP_TRAILING_WHITESPACE)
get_filename_component(mingw_runtime "${mingw_libstdcxx}" DIRECTORY)
set(wine_path ${mingw_runtime} /usr/${mingw_triplet}/lib)
foreach(prefix IN LISTS CMAKE_PREFIX_PATH)
    list(APPEND wine_path ${prefix}/bin)
endforeach()
list(JOIN wine_path : wine_path)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run.sh --path=${wine_path})
