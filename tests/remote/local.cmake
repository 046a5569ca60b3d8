# The phone tool is driven by the server test from the source tree.
target_compile_definitions(test_sockethelper PRIVATE AURIVENT_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
set_tests_properties(test_sockethelper_port PROPERTIES RESOURCE_LOCK port5489)
