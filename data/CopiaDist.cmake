# Copies the shipped base folder into the run-time tree without losing what a
# technician or the program changed there.
#   cmake -DSORGENTE=<data> -DDESTINAZIONE=<dist> -P CopiaDist.cmake
# Program-owned files are refreshed when they differ; user-owned files (the
# companion's settings, the logger's channel set-up, the calibration settings,
# everything under Data/ and Tune/) are copied only where they are missing.
if(NOT SORGENTE OR NOT DESTINAZIONE)
  message(FATAL_ERROR "CopiaDist.cmake needs SORGENTE and DESTINAZIONE")
endif()

set(_dell_utente bin/VirUzo.ini lng/OsciSetUp.ini lng/ParaTun.txt)
set(_cartelle_utente Data Tune)

foreach(_c bin lng Data img Tune)
  file(MAKE_DIRECTORY ${DESTINAZIONE}/${_c})
  file(GLOB_RECURSE _file RELATIVE ${SORGENTE} ${SORGENTE}/${_c}/*)
  foreach(_rel ${_file})
    set(_dest ${DESTINAZIONE}/${_rel})
    list(FIND _dell_utente ${_rel} _i)
    list(FIND _cartelle_utente ${_c} _j)
    if((_i GREATER -1 OR _j GREATER -1) AND EXISTS ${_dest})
      continue()
    endif()
    get_filename_component(_cartella ${_dest} DIRECTORY)
    file(MAKE_DIRECTORY ${_cartella})
    file(COPY_FILE ${SORGENTE}/${_rel} ${_dest} ONLY_IF_DIFFERENT)
  endforeach()
endforeach()
