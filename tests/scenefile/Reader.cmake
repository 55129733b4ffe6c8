# Tests of the scene file reader (scenefile/SceneReader.h, scenefile/ReadSource.h).
skipfloor_test(scenefile_reader_tests SceneReaderTest.cpp LIBS cwscene)
