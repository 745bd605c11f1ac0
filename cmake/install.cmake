# The installed layout (cmake --install, and through it the Debian package).
#
# The programs, the plug-in, the router library and the definitions stay together
# in a private folder, <libdir>/marlune, off the linker's path: each program finds
# the others beside its own real file, as in the build tree's bin/. Relative
# symbolic links in <bindir> put the programs on the PATH. The desktop entry,
# icons, AppStream metadata, manuals and mlctl's shell completion go where the
# desktop and the tools look for them.
include(GNUInstallDirs)
set(MARLUNE_INSTALL_PRIVATE_DIR ${CMAKE_INSTALL_LIBDIR}/marlune)
set(MARLUNE_INSTALL_FULL_PRIVATE_DIR ${CMAKE_INSTALL_FULL_LIBDIR}/marlune)

# An installed program keeps its settings in the user's folder, never in the
# package's (app/program_folder.h).
foreach(_program mlcenter mlctl)
    if(TARGET ${_program})
        target_compile_definitions(${_program} PRIVATE MARLUNE_INSTALLED_DIR="${MARLUNE_INSTALL_FULL_PRIVATE_DIR}")
    endif()
endforeach()

if(WIN32)
    return()
endif()

set(_programs)
foreach(_target mlcenter mlctl mlemu pgc)
    if(TARGET ${_target})
        install(TARGETS ${_target} RUNTIME DESTINATION ${MARLUNE_INSTALL_PRIVATE_DIR})
        list(APPEND _programs ${_target})
    endif()
endforeach()
foreach(_target LVDRIVER MATRIXSW)
    if(TARGET ${_target})
        install(TARGETS ${_target} LIBRARY DESTINATION ${MARLUNE_INSTALL_PRIVATE_DIR})
    endif()
endforeach()
if(TARGET definitions)
    install(FILES ${MARLUNE_BIN_DIR}/mlcenter.PGC DESTINATION ${MARLUNE_INSTALL_PRIVATE_DIR})
endif()

file(RELATIVE_PATH _to_private /${CMAKE_INSTALL_BINDIR} /${MARLUNE_INSTALL_PRIVATE_DIR})
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/install-links)
foreach(_program ${_programs})
    file(CREATE_LINK ${_to_private}/${_program} ${CMAKE_BINARY_DIR}/install-links/${_program} SYMBOLIC)
    install(FILES ${CMAKE_BINARY_DIR}/install-links/${_program} DESTINATION ${CMAKE_INSTALL_BINDIR})
endforeach()

# Manuals, with the installed folder and the version filled in.
file(GLOB _manuals CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/docs/man/*.1.in)
foreach(_manual ${_manuals})
    get_filename_component(_name ${_manual} NAME_WLE)
    configure_file(${_manual} ${CMAKE_BINARY_DIR}/man/${_name} @ONLY)
    install(FILES ${CMAKE_BINARY_DIR}/man/${_name} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

if(TARGET mlctl)
    install(FILES ${CMAKE_SOURCE_DIR}/tools/mlctl/completion.bash
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME mlctl)
endif()

if(TARGET mlcenter)
    set(_desktop ${CMAKE_SOURCE_DIR}/gui/desktop)
    set(_id com.marlune.mlcenter)
    install(FILES ${_desktop}/${_id}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${_desktop}/${_id}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${_desktop}/${_id}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    # Bitmaps of the icon for desktops that want them, drawn from the SVG.
    find_program(RSVG_CONVERT rsvg-convert REQUIRED)
    set(_pngs)
    foreach(_size 48 128 256)
        set(_png ${CMAKE_BINARY_DIR}/icons/${_size}x${_size}/${_id}.png)
        file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/icons/${_size}x${_size})
        add_custom_command(OUTPUT ${_png}
            COMMAND ${RSVG_CONVERT} --width ${_size} --height ${_size} --output ${_png} ${_desktop}/${_id}.svg
            DEPENDS ${_desktop}/${_id}.svg
            COMMENT "Drawing the ${_size} x ${_size} icon")
        list(APPEND _pngs ${_png})
        install(FILES ${_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${_size}x${_size}/apps)
    endforeach()
    add_custom_target(app_icons ALL DEPENDS ${_pngs})
endif()
