# cmake -DTEMPLATE=sw.js.in -DOUTPUT=sw.js -DFOLDER=DIR -DFILES=a;b -DVERSION=V -P service_worker.cmake
# Writes the service worker with the list of the site's files, each with its
# SHA-256, and a version named by the game's version and a digest of them all.
set(entries "")
set(all "")
foreach(file IN LISTS FILES)
  file(SHA256 ${FOLDER}/${file} digest)
  string(APPEND entries "  [\"${file}\", \"${digest}\"],\n")
  string(APPEND all "${file} ${digest}\n")
endforeach()
string(SHA256 version_digest "${all}")
string(SUBSTRING ${version_digest} 0 12 version_digest)
set(CACHE_VERSION "${VERSION}-${version_digest}")
set(FILE_ENTRIES "${entries}")
configure_file(${TEMPLATE} ${OUTPUT} @ONLY)
