# The installed program: lumeno-kv580 and its Skins/ folder in one folder
# under the prefix (the program finds its skin beside its own file), a link
# to it in bin/, and what the desktop needs: the launcher and autostart
# entries, the AppStream metainfo, the man pages, the udev rule and the
# guide. Included after the subdirectories, so the targets exist. The skin's
# icons are installed by skin/, the virtual mouse by emulator/server.
set(LUMENO_INSTALL_APP_DIR lib/lumeno-kv580)
set(LUMENO_INSTALL_DOC_DIR share/doc/lumeno-kv580)

if(TARGET lumeno-kv580)
  install(TARGETS lumeno-kv580 RUNTIME DESTINATION ${LUMENO_INSTALL_APP_DIR})
  install(DIRECTORY ${LUMENO_SKIN_DIR} DESTINATION ${LUMENO_INSTALL_APP_DIR})
  install(FILES ${PROJECT_SOURCE_DIR}/src/app/lumeno-kv580.desktop DESTINATION share/applications)
  install(FILES ${PROJECT_SOURCE_DIR}/data/example.lumeno.kv580.metainfo.xml DESTINATION share/metainfo)
  install(CODE "
    set(lumeno_link \"\${CMAKE_INSTALL_PREFIX}/bin/lumeno-kv580\")
    message(STATUS \"Installing: \$ENV{DESTDIR}\${lumeno_link}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(CREATE_LINK \"../${LUMENO_INSTALL_APP_DIR}/lumeno-kv580\" \"\$ENV{DESTDIR}\${lumeno_link}\" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${lumeno_link}\")")
endif()

# udev reads /usr/lib/udev/rules.d and /etc/udev/rules.d only, and the XDG
# autostart folder is /etc/xdg/autostart; so an install under another prefix
# than /usr puts the rule and the autostart entry into /etc. Decided when
# installing, since cpack installs with its own prefix.
install(CODE "
  if(CMAKE_INSTALL_PREFIX STREQUAL \"/usr\")
    set(lumeno_udev_dir /usr/lib/udev/rules.d)
  else()
    set(lumeno_udev_dir /etc/udev/rules.d)
  endif()
  file(INSTALL \"${PROJECT_SOURCE_DIR}/data/70-lumeno-kv580.rules\" DESTINATION \"\${lumeno_udev_dir}\")")
if(TARGET lumeno-kv580)
  install(CODE "
    file(INSTALL \"${PROJECT_SOURCE_DIR}/data/lumeno-kv580-autostart.desktop\"
         DESTINATION /etc/xdg/autostart RENAME lumeno-kv580.desktop)")
endif()

# Man pages and the Debian changelog, compressed as Debian wants them.
find_program(LUMENO_GZIP gzip REQUIRED)
set(lumeno_compressed)
foreach(source docs/man/lumeno-kv580.1 docs/man/lumeno-virtual-mouse.1 data/debian/changelog)
  get_filename_component(name ${source} NAME)
  set(out ${CMAKE_BINARY_DIR}/compressed/${name}.gz)
  add_custom_command(OUTPUT ${out}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/compressed
    COMMAND ${LUMENO_GZIP} -9nc ${PROJECT_SOURCE_DIR}/${source} > ${out}
    DEPENDS ${PROJECT_SOURCE_DIR}/${source} VERBATIM)
  list(APPEND lumeno_compressed ${out})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${lumeno_compressed})
if(TARGET lumeno-kv580)
  install(FILES ${CMAKE_BINARY_DIR}/compressed/lumeno-kv580.1.gz DESTINATION share/man/man1)
endif()
install(FILES ${CMAKE_BINARY_DIR}/compressed/lumeno-virtual-mouse.1.gz DESTINATION share/man/man1)
install(FILES ${CMAKE_BINARY_DIR}/compressed/changelog.gz DESTINATION ${LUMENO_INSTALL_DOC_DIR}
        RENAME changelog.gz)
install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright ${PROJECT_SOURCE_DIR}/docs/user-guide.md
        DESTINATION ${LUMENO_INSTALL_DOC_DIR})
# The guide's pictures, beside it as its links expect.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/guide DESTINATION ${LUMENO_INSTALL_DOC_DIR})
