# FTP site profiles: sites.dat layout and damage, the profile list model, progress arithmetic.
# The reader's fuzzer lives in fuzz/ and is run by hand (see fuzz/run-fuzzer.sh).
tev_add_test(designer_ftp_sites_tests
    SOURCES
        ${CMAKE_CURRENT_LIST_DIR}/SitesFileTests.cpp
        ${CMAKE_CURRENT_LIST_DIR}/FtpSiteListTests.cpp
        ${CMAKE_CURRENT_LIST_DIR}/ProgressMeterTests.cpp
    LIBS designer_ftp_sites)
