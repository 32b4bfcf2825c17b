# Files of the run-time tree generated from sources kept in data/.

# Dictionary: one row per entry with every language side by side, so that
# entry numbers stay aligned; gendiz checks the table and writes lng/diz.diz.
set(_diz_sorgente ${CMAKE_CURRENT_SOURCE_DIR}/diz/dizionario.tsv)
set(_diz_uscita ${MONDARO_DIST}/lng/diz.diz)
add_custom_command(
  OUTPUT ${_diz_uscita}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MONDARO_DIST}/lng
  COMMAND $<TARGET_FILE:gendiz> ${_diz_sorgente} ${_diz_uscita}
  DEPENDS ${_diz_sorgente} gendiz
  COMMENT "Generating lng/diz.diz"
  VERBATIM)
add_custom_target(dist_dizionario DEPENDS ${_diz_uscita})
add_dependencies(dist dist_dizionario)

# Operator access-code table: written by codiciop, read at start-up.
set(_codici_uscita ${MONDARO_DIST}/bin/CodiciOp.dat)
add_custom_command(
  OUTPUT ${_codici_uscita}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MONDARO_DIST}/bin
  COMMAND $<TARGET_FILE:codiciop> ${_codici_uscita}
  DEPENDS codiciop
  COMMENT "Generating bin/CodiciOp.dat"
  VERBATIM)
add_custom_target(dist_codici DEPENDS ${_codici_uscita})
add_dependencies(dist dist_codici)

# Factory configuration files (lng/*.xsi, bin/up.xsi), saved from the
# simulated ECU's contents by genxsi in the configuration file format.
set(_xsi_uscite "${MONDARO_DIST}/lng/00 Redadi Inj Custom.xsi" "${MONDARO_DIST}/lng/01 Redadi Inj LPG 4 Cyl.xsi"
  "${MONDARO_DIST}/lng/02 Redadi Inj CNG 4 Cyl.xsi" "${MONDARO_DIST}/lng/03 Redadi Inj LPG 6 Cyl.xsi"
  "${MONDARO_DIST}/bin/up.xsi")
add_custom_command(
  OUTPUT ${_xsi_uscite}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${MONDARO_DIST}/lng ${MONDARO_DIST}/bin
  COMMAND $<TARGET_FILE:genxsi> ${CMAKE_CURRENT_SOURCE_DIR}/bin/SetCom.ini ${MONDARO_DIST} "Mondaro VX9 Redadi" ${PROJECT_VERSION}
  DEPENDS genxsi ${CMAKE_CURRENT_SOURCE_DIR}/bin/SetCom.ini
  COMMENT "Generating the factory configuration files"
  VERBATIM)
add_custom_target(dist_configurazioni DEPENDS ${_xsi_uscite})
add_dependencies(dist dist_configurazioni)
