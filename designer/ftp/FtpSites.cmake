# FTP site profiles: the sites.dat archive, the profile list model behind the publish dialog
# and the progress arithmetic of the upload. Plain C++, no toolkit, tested without a display.
add_library(designer_ftp_sites STATIC
    ${CMAKE_CURRENT_LIST_DIR}/Archive.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FtpSite.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SitesFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FtpSiteList.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgressMeter.cpp
)
target_include_directories(designer_ftp_sites PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(designer_ftp_sites PUBLIC platform)
