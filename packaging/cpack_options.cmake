# Read by cpack once per generator. The .deb is installed with the prefix
# /usr under a staging folder given as DESTDIR, so that the install rules
# see the prefix /usr and put the settings file in /etc (not /usr/etc);
# the .tar.gz keeps everything under its one folder.
if(CPACK_GENERATOR STREQUAL "DEB")
  set(CPACK_SET_DESTDIR ON)
  set(CPACK_INSTALL_PREFIX /usr)
endif()
