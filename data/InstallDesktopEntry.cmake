# Run by cmake --install: writes the menu entry "Revuro 设置" for the prefix being installed to
# and installs it (so that it is listed in install_manifest.txt like every other file).
set(program "${CMAKE_INSTALL_PREFIX}/bin/revuro")

# Exec takes the program in double quotes, in which " ` $ and \ are escaped with a backslash;
# the entry's string format then doubles every backslash, and % stands for a field code.
string(REGEX REPLACE "([\"`$\\])" "\\\\\\1" quoted "${program}")
string(REPLACE "\\" "\\\\" quoted "${quoted}")
string(REPLACE "%" "%%" quoted "${quoted}")
set(REVURO_EXEC "\"${quoted}\"")
set(REVURO_TRY_EXEC "${program}")
# Menus find the icon by its name in the prefixes they search (the system's, /usr/local and the
# user's own ~/.local); elsewhere the entry names the drawing by its path.
if(CMAKE_INSTALL_PREFIX MATCHES "^(/usr|/usr/local)$" OR CMAKE_INSTALL_PREFIX STREQUAL "$ENV{HOME}/.local")
    set(REVURO_ICON revuro)
else()
    set(REVURO_ICON "${CMAKE_INSTALL_PREFIX}/share/icons/hicolor/scalable/apps/revuro.svg")
endif()

configure_file("${REVURO_DESKTOP_TEMPLATE}" "${REVURO_DESKTOP_ENTRY}" @ONLY)
file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/share/applications" TYPE FILE
     FILES "${REVURO_DESKTOP_ENTRY}")
