# The sound and music tests of the engine read the generated files of the build
# folder, so the generator runs before they are built.
if(TARGET test_engine AND TARGET sound-data)
  add_dependencies(test_engine sound-data)
endif()
