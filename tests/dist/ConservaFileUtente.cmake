# Copies the shipped base folder into a fresh tree, changes files there as a
# technician and the program would, copies again as a rebuild does, and checks
# that the user's files survive while the program's own files are refreshed.
#   cmake -DSORGENTE=<data> -DCOPIA=<CopiaDist.cmake> -DPROVA=<scratch folder> -P ConservaFileUtente.cmake
file(REMOVE_RECURSE ${PROVA})
set(_dist ${PROVA}/dist)

function(copia)
  execute_process(COMMAND ${CMAKE_COMMAND} -DSORGENTE=${SORGENTE} -DDESTINAZIONE=${_dist} -P ${COPIA}
    RESULT_VARIABLE _r)
  if(NOT _r EQUAL 0)
    message(FATAL_ERROR "copy failed: ${_r}")
  endif()
endfunction()

function(atteso file testo)
  file(READ ${_dist}/${file} _t)
  if(NOT _t STREQUAL testo)
    message(FATAL_ERROR "${file}: expected '${testo}', found '${_t}'")
  endif()
endfunction()

function(come_spedito file perche)
  file(READ ${SORGENTE}/${file} _spedito HEX)
  file(READ ${_dist}/${file} _copiato HEX)
  if(NOT _spedito STREQUAL _copiato)
    message(FATAL_ERROR "${file} ${perche}")
  endif()
endfunction()

copia()
foreach(_f bin/VirUzo.ini bin/SetCom.ini bin/Flash.ini lng/ConfigScale.ini lng/OsciList.ini
        lng/OsciSetUp.ini lng/ParaTun.txt Data/Costruttori.txt img/switch.jpg)
  if(NOT EXISTS ${_dist}/${_f})
    message(FATAL_ERROR "${_f} not copied")
  endif()
endforeach()

# The technician's and the program's changes.
set(_utente bin/VirUzo.ini lng/OsciSetUp.ini lng/ParaTun.txt Data/Costruttori.txt
    Data/Cliente_M_4_x.xsi Tune/StatoTun.txt)
foreach(_f ${_utente})
  file(WRITE ${_dist}/${_f} "changed ${_f}")
endforeach()
# Program-owned files changed or removed by accident come back as shipped.
set(_programma bin/SetCom.ini lng/ConfigScale.ini lng/OsciList.ini bin/Flash.ini)
foreach(_f ${_programma})
  file(WRITE ${_dist}/${_f} "stale")
endforeach()
file(REMOVE ${_dist}/img/switch.jpg)

copia()
foreach(_f ${_utente})
  atteso(${_f} "changed ${_f}")
endforeach()
foreach(_f ${_programma} img/switch.jpg)
  come_spedito(${_f} "not refreshed")
endforeach()

# A user-owned file that is missing is copied again.
file(REMOVE ${_dist}/bin/VirUzo.ini ${_dist}/Data/Costruttori.txt)
copia()
foreach(_f bin/VirUzo.ini Data/Costruttori.txt)
  come_spedito(${_f} "not restored when missing")
endforeach()
file(REMOVE_RECURSE ${PROVA})
