# cmake -DSEEDS=<seed directory> -DWORK=<work directory> -P fresh_corpus.cmake
#
# Replaces WORK/corpus with a copy of the seeds and makes sure WORK/artifacts
# exists, so that a fuzz run starts from the seeds alone and never writes into
# the source tree.
if(NOT SEEDS OR NOT WORK)
    message(FATAL_ERROR "usage: cmake -DSEEDS=<dir> -DWORK=<dir> -P fresh_corpus.cmake")
endif()
if(NOT IS_DIRECTORY "${SEEDS}")
    message(FATAL_ERROR "no seed corpus at ${SEEDS}")
endif()
file(REMOVE_RECURSE "${WORK}/corpus")
file(MAKE_DIRECTORY "${WORK}/corpus" "${WORK}/artifacts")
file(GLOB seeds LIST_DIRECTORIES false "${SEEDS}/*")
file(COPY ${seeds} DESTINATION "${WORK}/corpus"
     FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)
