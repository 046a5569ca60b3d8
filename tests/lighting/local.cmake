# SPDX-License-Identifier: GPL-3.0-or-later
# Sensor plug-ins for the binding tests: one with scripted readings and one
# that lacks an entry point, both built into the bin dir like the real one.
if(NOT WIN32)
  foreach(lib FakeSensors FakeSensorsIncomplete FakeSensorsNoKind)
    add_library(${lib} SHARED fake_sensors.c)
    set_target_properties(${lib} PROPERTIES AUTOMOC OFF C_VISIBILITY_PRESET hidden
      LIBRARY_OUTPUT_DIRECTORY ${AURIVENT_BIN_DIR})
  endforeach()
  target_compile_definitions(FakeSensors PRIVATE FAKE_SENSORS_COMPLETE)
  target_compile_definitions(FakeSensorsNoKind PRIVATE FAKE_SENSORS_COMPLETE FAKE_SENSORS_NO_KIND)
  # Stand-ins for NVIDIA's management library, complete and lacking a call.
  foreach(lib FakeNvml FakeNvmlIncomplete)
    add_library(${lib} SHARED fake_nvml.c)
    set_target_properties(${lib} PROPERTIES AUTOMOC OFF C_VISIBILITY_PRESET hidden
      LIBRARY_OUTPUT_DIRECTORY ${AURIVENT_BIN_DIR})
  endforeach()
  target_compile_definitions(FakeNvmlIncomplete PRIVATE FAKE_NVML_INCOMPLETE)
  if(TARGET test_sources)
    add_dependencies(test_sources FakeSensors FakeSensorsNoKind FakeNvml FakeNvmlIncomplete AuriventSensors)
    target_sources(test_sources PRIVATE ${PROJECT_SOURCE_DIR}/lighting/sensors-plugin/SensorLabels.c)
    target_include_directories(test_sources PRIVATE ${PROJECT_SOURCE_DIR}/lighting/sensors-plugin)
  endif()
  if(TARGET test_sensor)
    add_dependencies(test_sensor FakeSensors FakeSensorsIncomplete AuriventSensors)
    target_sources(test_sensor PRIVATE ${PROJECT_SOURCE_DIR}/lighting/sensors-plugin/SensorLabels.c)
    target_include_directories(test_sensor PRIVATE ${PROJECT_SOURCE_DIR}/lighting/sensors-plugin)
  endif()
  if(TARGET test_sensorloss)
    add_dependencies(test_sensorloss FakeSensors FakeNvml)
  endif()
  if(TARGET test_volume_capture)
    # Starts a private sound server of its own; give it room.
    set_tests_properties(test_volume_capture PROPERTIES TIMEOUT 120)
  endif()
endif()
