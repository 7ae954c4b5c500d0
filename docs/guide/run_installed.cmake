# Installs the quick-start jar as a user would (X-Plane/Resources/plugins/qovin/plugins/)
# in a fresh X-Plane-like folder, then runs that folder in the runner.
# -DHOST=qovin-host -DSTAGE=staged qovin folder -DJAR=plugin jar -DROOT=folder to make
file(REMOVE_RECURSE ${ROOT})
file(MAKE_DIRECTORY ${ROOT}/Resources/plugins)
file(COPY ${STAGE} DESTINATION ${ROOT}/Resources/plugins)
file(COPY ${JAR} DESTINATION ${ROOT}/Resources/plugins/qovin/plugins)
execute_process(COMMAND ${HOST} --xplane ${ROOT} --frames 20 --check-jni RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "the runner exited with ${result}")
endif()
