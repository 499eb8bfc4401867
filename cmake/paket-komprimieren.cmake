# Runs in CPack's staging folder before the package is made: compresses the
# manual pages and the changelog the way Debian ships them (gzip -9n: no name
# or time stamp inside, so the same input gives the same package).
file(GLOB_RECURSE zu_komprimieren
    "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/man/*.[1-9]"
    "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/*/share/doc/fotoschicker/changelog")
foreach(datei IN LISTS zu_komprimieren)
    execute_process(COMMAND gzip -9nf "${datei}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
