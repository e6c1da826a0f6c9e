# Lays out the site: the page, stamped with the checksum of the data it must load, beside the game.
file(SHA256 ${BUILD}/quendal.data DATA_SHA256)
file(MAKE_DIRECTORY ${SITE})
configure_file(${SOURCE}/page.js ${SITE}/page.js @ONLY)
file(COPY ${SOURCE}/index.html ${BUILD}/quendal.js ${BUILD}/quendal.wasm ${BUILD}/quendal.data
     DESTINATION ${SITE})
