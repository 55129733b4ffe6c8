# The scene file reader: bounded primitives for both encodings and the record readers. Part of cwscene.
target_sources(cwscene PRIVATE
  ${PROJECT_SOURCE_DIR}/scenefile/ReadSource.cpp
  ${PROJECT_SOURCE_DIR}/scenefile/SceneReader.cpp
)
