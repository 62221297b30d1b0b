# The installed program: lumeno-kv580 and its Skins/ folder in one folder
# under the prefix (the program finds its skin beside its own file), a link
# to it in bin/ and the desktop entry. Included after the subdirectories, so
# the targets exist. The skin's icons are installed by skin/, the udev rule
# by src/platform, the virtual mouse by emulator/server.
set(LUMENO_INSTALL_APP_DIR lib/lumeno-kv580)

if(TARGET lumeno-kv580)
  install(TARGETS lumeno-kv580 RUNTIME DESTINATION ${LUMENO_INSTALL_APP_DIR})
  install(DIRECTORY ${LUMENO_SKIN_DIR} DESTINATION ${LUMENO_INSTALL_APP_DIR})
  install(FILES ${PROJECT_SOURCE_DIR}/src/app/lumeno-kv580.desktop DESTINATION share/applications)
  install(CODE "
    set(lumeno_link \"\${CMAKE_INSTALL_PREFIX}/bin/lumeno-kv580\")
    message(STATUS \"Installing: \$ENV{DESTDIR}\${lumeno_link}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(CREATE_LINK \"../${LUMENO_INSTALL_APP_DIR}/lumeno-kv580\" \"\$ENV{DESTDIR}\${lumeno_link}\" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${lumeno_link}\")")
endif()
