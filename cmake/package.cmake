# A .deb of the program: `cpack -G DEB` in the build folder.
set(CPACK_PACKAGE_NAME kestrune)
set(CPACK_PACKAGE_VENDOR "Kestrune")
set(CPACK_PACKAGE_CONTACT "Kestrune maintainers <maintainers@kestrune.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Countdown timer for timed bedside procedures")
set(CPACK_PACKAGE_DESCRIPTION
    "A small borderless window that counts down a duration set in hours, minutes and seconds, or \
a 25-minute skin test or a 5-minute temperature reading, and beeps, sounds an alarm and turns red \
at time up. All captions are Simplified Chinese.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
# The Qt libraries come from the binary's own links; the fonts are read by name at run time.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-wqy-microhei | fonts-noto-cjk, fonts-liberation2")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "pulseaudio | pipewire-pulse")
include(CPack)
