# What `cmake --install` puts under the prefix, and the Debian package made from it by
# `cpack -G DEB`. The files of the desktop integration live in packaging/.
set(OPTC_APP_ID org.opticalconstants.OpticalConstants)
set(OPTC_DOC_DIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/optical-constants)

foreach(program optical-constants optical-constants-batch optical-constants-batch-pdf)
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  endif()
endforeach()

if(TARGET optical-constants)
  install(FILES packaging/${OPTC_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/applications)
  install(FILES packaging/${OPTC_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/metainfo)
  install(FILES packaging/jcamp-dx-mime.xml DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/mime/packages
          RENAME ${OPTC_APP_ID}.xml)
  install(FILES packaging/${OPTC_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/scalable/apps)
  # Bitmap icons for menus that do not draw SVG, rendered from the one drawing.
  find_program(RSVG_CONVERT rsvg-convert REQUIRED)
  set(icon_pngs)
  foreach(size 16 24 32 48 64 128 256)
    set(png ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}/${OPTC_APP_ID}.png)
    add_custom_command(OUTPUT ${png}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/icons/${size}
      COMMAND ${RSVG_CONVERT} -w ${size} -h ${size} -o ${png} ${CMAKE_CURRENT_SOURCE_DIR}/packaging/${OPTC_APP_ID}.svg
      DEPENDS packaging/${OPTC_APP_ID}.svg VERBATIM)
    list(APPEND icon_pngs ${png})
    install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/icons/hicolor/${size}x${size}/apps)
  endforeach()
  add_custom_target(icons ALL DEPENDS ${icon_pngs})
endif()

# The manual pages, compressed as Debian keeps manual pages.
set(man_pages)
foreach(program optical-constants optical-constants-batch optical-constants-batch-pdf)
  if(TARGET ${program})
    set(man_page ${CMAKE_CURRENT_BINARY_DIR}/man/${program}.1.gz)
    add_custom_command(OUTPUT ${man_page}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/man
      COMMAND gzip -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/packaging/${program}.1 > ${man_page}
      DEPENDS packaging/${program}.1)
    list(APPEND man_pages ${man_page})
    install(FILES ${man_page} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()
add_custom_target(manpages ALL DEPENDS ${man_pages})

# The user guide with its pictures, and the example spectra.
install(FILES README.md DESTINATION ${OPTC_DOC_DIR})
install(DIRECTORY docs/ DESTINATION ${OPTC_DOC_DIR}/docs FILES_MATCHING PATTERN "*.png")
install(DIRECTORY examples/ DESTINATION ${OPTC_DOC_DIR}/examples
        FILES_MATCHING PATTERN "*.txt" PATTERN "*.csv" PATTERN "*.jdx" PATTERN "*.dx" PATTERN "*.jcamp" PATTERN "*.md")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME optical-constants)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Optical Constants developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "optical constants of thin films and bulk samples from their spectra")
set(CPACK_PACKAGE_DESCRIPTION "Optical Constants computes the optical constants of a sample from spectra
measured on a spectrophotometer. For a thin film on a transparent substrate the
envelope method gives the refractive index, the film thickness, a dispersion
curve, a fringes-free transmission and the absorption coefficient; for a bulk
sample the absorption coefficient follows from the transmission, a reflection
source and the thickness; for both a Tauc plot gives the optical band gap.
The package holds the windowed program, the batch command
optical-constants-batch, example spectra and the user guide.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Optical Constants developers <optical-constants@localhost>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
# Dependencies from the shared libraries the programs link (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt finds its window-system plugins at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
include(CPack)
