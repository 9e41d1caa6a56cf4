# Read by Qt's own configure (CMAKE_PROJECT_QtBase_INCLUDE) when scripts/windows.sh builds Qt for
# Windows. Qt's unity build leaves out two of the slowest parts of that build: the bundled
# HarfBuzz, every file of which parses HarfBuzz's heavy headers anew (HarfBuzz itself is made to
# be compiled as one file), and QtGui on Windows, whose Windows-only sources clash when batched
# (the Direct3D 11 and 12 back ends, the font engines). Both are batched here once every target
# is defined, QtGui without those sources, which stay files of their own.
function(pentora_unity_build_more)
    if(TARGET BundledHarfbuzz)
        set_property(TARGET BundledHarfbuzz PROPERTY UNITY_BUILD ON)
    endif()
    if(TARGET Gui)
        set_property(TARGET Gui PROPERTY UNITY_BUILD ON)
        get_target_property(gui_dir Gui SOURCE_DIR)
        get_target_property(sources Gui SOURCES)
        set(apart "")
        foreach(source IN LISTS sources)
            if(source MATCHES "(^|/)((platform|text)/windows/|rhi/qrhid3d)|_win\\.cpp$")
                cmake_path(ABSOLUTE_PATH source BASE_DIRECTORY "${gui_dir}")
                list(APPEND apart "${source}")
            endif()
        endforeach()
        set_source_files_properties(${apart} TARGET_DIRECTORY Gui
                                    PROPERTIES SKIP_UNITY_BUILD_INCLUSION ON)
    endif()
endfunction()
cmake_language(DEFER DIRECTORY "${CMAKE_SOURCE_DIR}" CALL pentora_unity_build_more)
