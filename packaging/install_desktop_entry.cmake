# Run by `cmake --install`: installs the desktop entry with Exec naming the program by the path
# it is installed at. Neither /usr/games, where the Debian package puts it, nor ~/.local/bin is on
# every PATH a desktop starts programs with (root's has no /usr/games), so the bare name is not
# enough. Set by the install rules: PENTORA_DESKTOP_ENTRY, PENTORA_STAGED_ENTRY, PENTORA_BINDIR,
# PENTORA_APPLICATIONS_DIR.
file(READ "${PENTORA_DESKTOP_ENTRY}" entry)
string(REGEX REPLACE "\nExec=pentora\n" "\nExec=${CMAKE_INSTALL_PREFIX}/${PENTORA_BINDIR}/pentora\n"
       entry "${entry}")
file(WRITE "${PENTORA_STAGED_ENTRY}" "${entry}")
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/${PENTORA_APPLICATIONS_DIR}" TYPE FILE
     FILES "${PENTORA_STAGED_ENTRY}")
