# FindJava/FindJNI find nothing here unless JAVA_HOME is set. Pick a JDK 17 the
# way a developer would: an explicit QOVIN_JAVA_HOME, then $JAVA_HOME, then the
# Debian JDK 17, then whatever `javac` on the PATH resolves to.
# JDK 18 and later no longer call JavaCritical_ natives, so 17 is preferred.
set(QOVIN_JAVA_HOME "" CACHE PATH "JDK to build and test with (JDK 17 recommended)")
if(NOT QOVIN_JAVA_HOME)
  if(DEFINED ENV{JAVA_HOME} AND EXISTS "$ENV{JAVA_HOME}/include/jni.h")
    set(_jdk "$ENV{JAVA_HOME}")
  elseif(EXISTS /usr/lib/jvm/java-17-openjdk-amd64/include/jni.h)
    set(_jdk /usr/lib/jvm/java-17-openjdk-amd64)
  else()
    find_program(_javac javac REQUIRED)
    file(REAL_PATH "${_javac}" _javac_real)
    get_filename_component(_bin "${_javac_real}" DIRECTORY)
    get_filename_component(_jdk "${_bin}" DIRECTORY)
  endif()
  set(QOVIN_JAVA_HOME "${_jdk}" CACHE PATH "JDK to build and test with (JDK 17 recommended)" FORCE)
endif()
set(JAVA_HOME "${QOVIN_JAVA_HOME}")
set(ENV{JAVA_HOME} "${QOVIN_JAVA_HOME}")
message(STATUS "JDK: ${QOVIN_JAVA_HOME}")
