# Packages: a .deb of the Linux program, and a .zip of the Windows program
# with a short read-me. Dependencies of the .deb come from dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME quenlor)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}0")
set(CPACK_PACKAGE_VENDOR "Quenlor developers")
set(CPACK_PACKAGE_CONTACT "Quenlor developers <developers@quenlor.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "choose a kind of news and example titles")
set(CPACK_PACKAGE_DESCRIPTION "Quenlor is a small program with one window, in Bulgarian.\n\
Pick bad news or good news, tick example titles of that kind, and have\n\
the choice written out as text.")
set(CPACK_STRIP_FILES ON)
# The package's folders as Debian has them, whatever the builder's umask (a
# user whose group is their own often has 002).
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
    GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

if(QUENLOR_BACKEND STREQUAL "qt")
    set(CPACK_GENERATOR DEB)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_SECTION education)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # Loaded at run time, so the library scan cannot see them: the X11
    # platform plugin (qt6-qpa-plugins), the Wayland one (qt6-wayland), so
    # that on a Wayland desktop the window opens natively, crisp at any scale,
    # and the serif that stands in for the form's font.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-wayland")
    set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2")
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.quenlor.example/")
    set(docs ${CMAKE_INSTALL_DATADIR}/doc/quenlor)
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/debian/copyright DESTINATION ${docs})
    # The changelog and manual page, compressed as Debian wants them.
    foreach(file changelog quenlor.1)
        add_custom_command(OUTPUT ${file}.gz
                           COMMAND gzip -9n -c ${PROJECT_SOURCE_DIR}/packaging/debian/${file}
                                   > ${file}.gz
                           DEPENDS ${PROJECT_SOURCE_DIR}/packaging/debian/${file})
    endforeach()
    add_custom_target(debian_documents ALL DEPENDS changelog.gz quenlor.1.gz)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/changelog.gz DESTINATION ${docs})
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/quenlor.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
elseif(QUENLOR_BACKEND STREQUAL "win32")
    set(CPACK_GENERATOR ZIP)
    set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
    set(CPACK_PACKAGE_FILE_NAME "quenlor-${CPACK_PACKAGE_VERSION}-windows-x86")
    install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)
endif()

include(CPack)
