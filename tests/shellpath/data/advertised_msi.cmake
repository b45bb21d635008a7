# Builds the package of the advertised-shortcut test next to quillmark_tests
# when wixl is at hand; the test installs it with msiexec into its own Wine
# prefix and skips itself when the package is missing.
find_program(QUILLMARK_WIXL wixl)
if(QUILLMARK_WIXL)
  set(qm_advertised_msi ${CMAKE_CURRENT_BINARY_DIR}/qm_advertised.msi)
  add_custom_command(
    OUTPUT ${qm_advertised_msi}
    COMMAND ${QUILLMARK_WIXL} -o ${qm_advertised_msi} advertised.wxs
    WORKING_DIRECTORY ${CMAKE_CURRENT_LIST_DIR}
    DEPENDS ${CMAKE_CURRENT_LIST_DIR}/advertised.wxs ${CMAKE_CURRENT_LIST_DIR}/qmtool.txt
    COMMENT "Building the advertised-shortcut test package")
  add_custom_target(qm_advertised_msi ALL DEPENDS ${qm_advertised_msi})
  add_dependencies(quillmark_tests qm_advertised_msi)
endif()
