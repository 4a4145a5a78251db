# What `cmake --install` lays out (see the layout at the top of the main CMakeLists.txt).

# The program, its libraries and its modules.
install(TARGETS TEVCalendar RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set_target_properties(TEVCalendar PROPERTIES INSTALL_RPATH "$ORIGIN/${TEV_MODULES_FROM_BIN}")
install(TARGETS platform_base platform TEVComponentDesignerAfx TEVCalendarAx TEVComponentAPP
        LIBRARY DESTINATION ${TEV_INSTALL_MODULEDIR})

# The machine's classes hive beside the libraries, written by registering the installed
# control, so that its module path is relative to the installed hive.
install(CODE "
    set(hive_dir \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TEV_INSTALL_MODULEDIR}/registry\")
    file(REMOVE \"\${hive_dir}/HKEY_CLASSES_ROOT.reg\")
    set(ENV{TEV_MACHINE_REGISTRY_DIR} \"\${hive_dir}\")
    execute_process(
        COMMAND \"$<TARGET_FILE:tev-regsvr>\" /m /s
                \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${TEV_INSTALL_MODULEDIR}/$<TARGET_FILE_NAME:TEVCalendarAx>\"
        RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR \"Registering the calendar control failed (\${result})\")
    endif()
    file(REMOVE \"\${hive_dir}/.lock\")
")

# The data: component folder, player script, help book, online page, icon.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/component/Calendar
        DESTINATION ${TEV_INSTALL_DATADIR}/component)
install(FILES
        ${PROJECT_SOURCE_DIR}/resources/web/swfobject.js
        ${TEV_PROGRAM_DIR}/TEVCalendar.htb
        ${TEV_PROGRAM_DIR}/TEVCalendar.png
        DESTINATION ${TEV_INSTALL_DATADIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/host/online/
        DESTINATION "${TEV_INSTALL_DATADIR}/Quorvane System/Online")

# The desktop: menu entry, project file type, icons in every size.
install(FILES ${PROJECT_SOURCE_DIR}/resources/host/desktop/${TEV_PACKAGE_NAME}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/host/desktop/${TEV_PACKAGE_NAME}.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
foreach(size 16 24 32 48 64 128 256)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/host/images/TEVCalendar-${size}.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
            RENAME ${TEV_PACKAGE_NAME}.png)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/host/images/TEVCalendar.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TEV_PACKAGE_NAME}.svg)

# The package's papers.
set(tev_changelog ${CMAKE_BINARY_DIR}/changelog.gz)
add_custom_command(OUTPUT ${tev_changelog}
    COMMAND sh -c "gzip -9nc '${PROJECT_SOURCE_DIR}/packaging/changelog' > '${tev_changelog}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog
    VERBATIM)
add_custom_target(tev_changelog ALL DEPENDS ${tev_changelog})
set(tev_manual ${CMAKE_BINARY_DIR}/TEVCalendar.1.gz)
add_custom_command(OUTPUT ${tev_manual}
    COMMAND sh -c "gzip -9nc '${PROJECT_SOURCE_DIR}/packaging/TEVCalendar.1' > '${tev_manual}'"
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/TEVCalendar.1
    VERBATIM)
add_custom_target(tev_manual ALL DEPENDS ${tev_manual})
install(FILES ${tev_manual} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${tev_changelog}
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${TEV_PACKAGE_NAME})

# The designer library's public interface for other programs: headers (with the few
# platform headers they include), a CMake package and a pkg-config file.
set(TEV_INSTALL_INCLUDEDIR ${CMAKE_INSTALL_INCLUDEDIR}/TEVComponentDesignerAfx)
foreach(header
        designer/core/DesignerProject.h
        designer/core/TEVComponentApp.h
        designer/core/TEVComponentDesignerHostBase.h
        designer/core/TEVComponentDesignerView.h
        designer/core/TEVComponentDesignerWizard.h
        platform/com/Bstr.h
        platform/com/ComTypes.h
        platform/com/Variant.h
        platform/shell/DesktopFileTypes.h
        platform/shell/InstallFolders.h
        platform/text/Translation.h
        platform/widgets/Translations.h)
    get_filename_component(folder ${header} DIRECTORY)
    install(FILES ${PROJECT_SOURCE_DIR}/${header} DESTINATION ${TEV_INSTALL_INCLUDEDIR}/${folder})
endforeach()

include(CMakePackageConfigHelpers)
set(tev_package_dir ${CMAKE_INSTALL_LIBDIR}/cmake/TEVComponentDesignerAfx)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/package/TEVComponentDesignerAfxConfig.cmake.in
    ${CMAKE_BINARY_DIR}/package/TEVComponentDesignerAfxConfig.cmake
    INSTALL_DESTINATION ${tev_package_dir}
    PATH_VARS TEV_INSTALL_INCLUDEDIR TEV_INSTALL_MODULEDIR)
write_basic_package_version_file(${CMAKE_BINARY_DIR}/package/TEVComponentDesignerAfxConfigVersion.cmake
    VERSION ${PROJECT_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_BINARY_DIR}/package/TEVComponentDesignerAfxConfig.cmake
              ${CMAKE_BINARY_DIR}/package/TEVComponentDesignerAfxConfigVersion.cmake
        DESTINATION ${tev_package_dir})

tev_relative_path(TEV_PREFIX_FROM_PKGCONFIG ${CMAKE_INSTALL_LIBDIR}/pkgconfig .)
configure_file(${PROJECT_SOURCE_DIR}/cmake/package/TEVComponentDesignerAfx.pc.in
    ${CMAKE_BINARY_DIR}/package/TEVComponentDesignerAfx.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/package/TEVComponentDesignerAfx.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
