# Run by `cmake --install`: writes the desktop entry with the program's installed path
# (the prefix is known only now) and refreshes the desktop's databases under the
# prefix, so the menu entry, the file types and the icons are found at once. A staged
# install (DESTDIR) leaves the databases to the package's own scripts.
set(root "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
set(program "${CMAKE_INSTALL_PREFIX}/${LISTORA_BINDIR}/listora")

# Exec takes a quoted path when it has blanks or characters the entry reserves.
set(exec "${program}")
if(program MATCHES "[ \t\"'\\\\><~|&;$*?#()`=%]")
  string(REPLACE "\\" "\\\\\\\\" exec "${program}")
  string(REPLACE "\"" "\\\\\"" exec "${exec}")
  string(REPLACE "`" "\\\\`" exec "${exec}")
  string(REPLACE "$" "\\\\$" exec "${exec}")
  set(exec "\"${exec}\"")
endif()
string(REPLACE "\\" "\\\\" tryexec "${program}")

file(READ "${LISTORA_DESKTOP_TEMPLATE}" entry)
string(REPLACE "@LISTORA_EXEC@" "${exec}" entry "${entry}")
string(REPLACE "@LISTORA_TRYEXEC@" "${tryexec}" entry "${entry}")
set(target "${root}/${LISTORA_DATADIR}/applications/listora.desktop")
message(STATUS "Installing: ${target}")
file(WRITE "${target}" "${entry}")
list(APPEND CMAKE_INSTALL_MANIFEST_FILES "${target}")

if(NOT "$ENV{DESTDIR}" STREQUAL "")
  return()
endif()
find_program(update_mime update-mime-database)
find_program(update_desktop update-desktop-database)
find_program(update_icons gtk-update-icon-cache)
if(update_mime)
  execute_process(COMMAND "${update_mime}" "${root}/${LISTORA_DATADIR}/mime" OUTPUT_QUIET ERROR_QUIET)
endif()
if(update_desktop)
  execute_process(COMMAND "${update_desktop}" -q "${root}/${LISTORA_DATADIR}/applications" OUTPUT_QUIET ERROR_QUIET)
endif()
if(update_icons AND EXISTS "${root}/${LISTORA_DATADIR}/icons/hicolor/index.theme")
  execute_process(COMMAND "${update_icons}" -q -t "${root}/${LISTORA_DATADIR}/icons/hicolor" OUTPUT_QUIET ERROR_QUIET)
endif()
