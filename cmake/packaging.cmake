# cpack -G DEB: a Debian package of the program, its data, the lesson tool,
# the desktop entry, icons and AppStream metainfo, installed under /usr.
# Library dependencies come from dpkg-shlibdeps; what the program needs at
# run time without linking it is named here.
set(CPACK_PACKAGE_NAME hearvex)
set(CPACK_PACKAGE_VENDOR "The Hearvex developers")
set(CPACK_PACKAGE_CONTACT "The Hearvex developers <hearvex@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://github.com/hearvex/hearvex")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "listening and dictation practice for Chinese-speaking learners of English")
# Lines of at most 79 characters: Debian's tools show them indented by one.
set(CPACK_PACKAGE_DESCRIPTION
    "A learner opens a lesson (a recording and its sentence), listens, and
types the sentence heard; a check uncovers each word typed right. Around
that: a player with A-B repeat and speed control, a live waveform and
spectrum, hints, a lesson library and word lists. hearvex-lesson makes
lessons from one's own recordings and their subtitles.")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The engine library lives beside the program, found through its $ORIGIN run path.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS ${HEARVEX_RUNTIME_DIR})
# Chinese interface texts need a CJK font; Qt's window system plugins and its
# Chinese translations of standard dialogs; the help page opens in the desktop's browser.
# The aligner's acoustic model and pronouncing dictionary are data, which no library link names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-noto-cjk, qt6-qpa-plugins, qt6-translations-l10n, xdg-utils, pocketsphinx-en-us")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")

include(CPack)
