# What `cmake --install` lays out for a host app: the public headers, the three static libraries,
# a CMake package (find_package(QVTVConsent CONFIG) -> QVTVConsent::QVTVConsent) and a pkg-config
# file. The library's built-in images are installed beside it (QVTVConsent/CMakeLists.txt).
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set(QVTV_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/QVTVConsent)

# The headers a host includes and every header of ours that they include, found when installing,
# so the set follows the includes without a list to keep: the umbrella header, where the stores
# live, the run loop that delivers answers and events on the main queue, the view controllers
# the screens are shown over, and the two hosts that put a window on screen or drive it in tests.
install(CODE "
  set(QVTV_SOURCE_DIR \"${PROJECT_SOURCE_DIR}\")
  set(QVTV_HEADER_DESTINATION \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_INCLUDEDIR}\")
  set(QVTV_HEADER_ROOTS QVTVConsent/QVTVConsent.h platform/Paths.h platform/RunLoop.h
      tvkit/app/Application.h tvkit/app/Window.h tvkit/app/ViewController.h
      tvkit/host/headless/HeadlessHost.h tvkit/host/sdl/SdlHost.h)
  include(\"${CMAKE_CURRENT_LIST_DIR}/InstallPublicHeaders.cmake\")")

# Installed beside other libraries, the layers' archives carry the project's prefix.
set_target_properties(platform PROPERTIES OUTPUT_NAME qvtv_platform)
set_target_properties(tvkit PROPERTIES OUTPUT_NAME qvtv_tvkit)
set_target_properties(tvkit_headless PROPERTIES OUTPUT_NAME qvtv_tvkit_headless)
set_target_properties(tvkit_sdl PROPERTIES OUTPUT_NAME qvtv_tvkit_sdl)
install(TARGETS platform tvkit tvkit_headless QVTVConsent EXPORT QVTVConsentTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(EXPORT QVTVConsentTargets NAMESPACE QVTVConsent:: DESTINATION ${QVTV_CMAKE_DIR})
# The window host is an export of its own, so a host without SDL still finds the package.
install(TARGETS tvkit_sdl EXPORT QVTVConsentSdlTargets ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(EXPORT QVTVConsentSdlTargets NAMESPACE QVTVConsent:: DESTINATION ${QVTV_CMAKE_DIR})

configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/QVTVConsentConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QVTVConsentConfig.cmake INSTALL_DESTINATION ${QVTV_CMAKE_DIR})
# Before 1.0 a minor version may change the interface.
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QVTVConsentConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES ${PROJECT_BINARY_DIR}/QVTVConsentConfig.cmake ${PROJECT_BINARY_DIR}/QVTVConsentConfigVersion.cmake
  DESTINATION ${QVTV_CMAKE_DIR})

# The .pc file finds the prefix from where it lies, so the installed tree can be moved.
file(RELATIVE_PATH QVTV_PC_TO_PREFIX /prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig /prefix)
string(REGEX REPLACE "/$" "" QVTV_PC_TO_PREFIX "${QVTV_PC_TO_PREFIX}")
configure_file(${CMAKE_CURRENT_LIST_DIR}/QVTVConsent.pc.in ${PROJECT_BINARY_DIR}/QVTVConsent.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/QVTVConsent.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
