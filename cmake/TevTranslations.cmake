# Translations: every string literal of the string tables (resources/) is a source text,
# except the names listed in po/untranslated.pot; the build extracts them into
# TEVCalendar.pot with xgettext and compiles every po/<language>.po with msgfmt into
# <language>/LC_MESSAGES/TEVCalendar.mo, beside the program in the build folder and below
# share/locale when installed. Texts added to the tables join the .pot without more ado.
find_program(TEV_XGETTEXT xgettext REQUIRED)
find_program(TEV_MSGFMT msgfmt REQUIRED)
find_program(TEV_MSGCMP msgcmp REQUIRED)
set(TEV_TEXT_DOMAIN TEVCalendar)
set(TEV_POT ${CMAKE_BINARY_DIR}/po/${TEV_TEXT_DOMAIN}.pot)

file(GLOB_RECURSE tev_string_sources CONFIGURE_DEPENDS
     RELATIVE ${PROJECT_SOURCE_DIR}
     ${PROJECT_SOURCE_DIR}/resources/*.h ${PROJECT_SOURCE_DIR}/resources/*.cpp)
list(SORT tev_string_sources)
add_custom_command(OUTPUT ${TEV_POT}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/po
    COMMAND ${TEV_XGETTEXT} --extract-all --language=C++ --from-code=UTF-8 --sort-output
            --package-name=quorvane-web-calendar --package-version=${PROJECT_VERSION}
            --exclude-file=po/untranslated.pot --output=${TEV_POT} ${tev_string_sources}
    WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
    DEPENDS ${tev_string_sources} ${PROJECT_SOURCE_DIR}/po/untranslated.pot
    COMMENT "Extracting the texts into ${TEV_TEXT_DOMAIN}.pot"
    VERBATIM)

file(GLOB tev_catalogs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/po/*.po)
set(tev_compiled_catalogs)
foreach(catalog IN LISTS tev_catalogs)
    get_filename_component(language ${catalog} NAME_WE)
    set(folder ${TEV_PROGRAM_DIR}/locale/${language}/LC_MESSAGES)
    set(compiled ${folder}/${TEV_TEXT_DOMAIN}.mo)
    add_custom_command(OUTPUT ${compiled}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${TEV_MSGFMT} --check --output-file=${compiled} ${catalog}
        DEPENDS ${catalog}
        COMMENT "Compiling the ${language} catalog"
        VERBATIM)
    list(APPEND tev_compiled_catalogs ${compiled})
    install(FILES ${compiled} DESTINATION ${TEV_INSTALL_LOCALEDIR}/${language}/LC_MESSAGES)
    # A catalog is complete when it translates every text of the .pot.
    add_test(NAME translation_${language}_complete
             COMMAND ${TEV_MSGCMP} ${catalog} ${TEV_POT})
endforeach()
add_custom_target(tev_translations ALL DEPENDS ${TEV_POT} ${tev_compiled_catalogs})
