# Builds the Debian package into a folder of its own and checks what it holds and what it depends on.
# Called by CTest with CPACK, DPKG_DEB, BUILD_DIR, OUT_DIR and APP_ID.
file(REMOVE_RECURSE "${OUT_DIR}")
execute_process(COMMAND "${CPACK}" -G DEB -B "${OUT_DIR}" --config "${BUILD_DIR}/CPackConfig.cmake"
                WORKING_DIRECTORY "${BUILD_DIR}" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE out)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "cpack failed (${rc}):\n${out}")
endif()
file(GLOB debs "${OUT_DIR}/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one package in ${OUT_DIR}, found: ${debs}")
endif()

execute_process(COMMAND "${DPKG_DEB}" --contents "${debs}" RESULT_VARIABLE rc OUTPUT_VARIABLE listing)
if(NOT rc EQUAL 0)
    message(FATAL_ERROR "dpkg-deb --contents failed")
endif()
set(problems "")
foreach(file
        usr/bin/lorvanto
        usr/share/lorvanto/lorvanto.html
        usr/share/applications/${APP_ID}.desktop
        usr/share/icons/hicolor/scalable/apps/${APP_ID}.svg
        usr/share/metainfo/${APP_ID}.metainfo.xml)
    string(REPLACE "." "\\." pattern "${file}")
    if(NOT listing MATCHES " \\./${pattern}(\n|$)")
        string(APPEND problems "missing: /${file}\n")
    endif()
endforeach()
# A database in the package would overwrite a school's own on the next upgrade.
if(listing MATCHES "msvcrx|\\.mb\n")
    string(APPEND problems "the package holds a database file\n")
endif()

execute_process(COMMAND "${DPKG_DEB}" --field "${debs}" Depends OUTPUT_VARIABLE depends)
foreach(package fonts-liberation2 qt6-translations-l10n libqt6widgets6 libsqlcipher libsodium)
    if(NOT depends MATCHES "(^|[ ,])${package}")
        string(APPEND problems "not a dependency: ${package}\n")
    endif()
endforeach()

if(problems)
    message(FATAL_ERROR "${problems}Contents:\n${listing}Depends: ${depends}")
endif()
message(STATUS "${debs}\nDepends: ${depends}")
