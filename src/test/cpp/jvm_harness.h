// One JVM per test process, with -Xcheck:jni, the bridge loaded into it and the
// stand-in simulator in the simulator's place.
#ifndef QOVIN_TEST_JVM_HARNESS_H
#define QOVIN_TEST_JVM_HARNESS_H

#include <gtest/gtest.h>
#include <jni.h>

#include <functional>
#include <string>
#include <type_traits>
#include <vector>

namespace qovintest {

JNIEnv* env();

// Creates the JVM with the test classpath, -Xcheck:jni and `extraOptions`,
// loads the bridge, then runs every test. Use it as the test binary's main.
int runAllTests(int argc, char** argv, const std::vector<std::string>& extraOptions = {});

// Base fixture: resets the stand-in, opens a local reference frame (closed
// after the test) and clears the recorded Java log. A Java exception left
// pending by a test fails it, and so does a use of a handle the simulator has
// released (xplmsim::releasedHandleUses()).
class BridgeTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};

// The JNI local references the test thread holds, in every frame, counted
// exactly through the JVM tool interface; -1 if it is not there.
long liveLocalRefs();

// Fails the test if a Java exception is pending, and clears it.
void expectNoPendingException();

// Calls a static Java method as Java would call it; an exception fails the test.
template <typename R = void, typename... A>
R callStatic(jclass cls, jmethodID method, A... args) {
  JNIEnv* e = env();
  if constexpr (std::is_same_v<R, void>) {
    e->CallStaticVoidMethod(cls, method, args...);
    expectNoPendingException();
  } else {
    R result{};
    if constexpr (std::is_same_v<R, jint>) result = e->CallStaticIntMethod(cls, method, args...);
    if constexpr (std::is_same_v<R, jlong>) result = e->CallStaticLongMethod(cls, method, args...);
    if constexpr (std::is_same_v<R, jfloat>) result = e->CallStaticFloatMethod(cls, method, args...);
    if constexpr (std::is_same_v<R, jdouble>) result = e->CallStaticDoubleMethod(cls, method, args...);
    if constexpr (std::is_same_v<R, jboolean>) result = e->CallStaticBooleanMethod(cls, method, args...);
    if constexpr (std::is_same_v<R, jobject>) result = e->CallStaticObjectMethod(cls, method, args...);
    expectNoPendingException();
    return result;
  }
}

// Calls an instance method as Java would call it; an exception fails the test.
template <typename R = void, typename... A>
R callMethod(jobject object, const char* name, const char* signature, A... args) {
  JNIEnv* e = env();
  jclass cls = e->GetObjectClass(object);
  jmethodID method = e->GetMethodID(cls, name, signature);
  e->DeleteLocalRef(cls);
  if (method == nullptr) {
    expectNoPendingException();
    if constexpr (!std::is_same_v<R, void>) return R{};
    else return;
  }
  if constexpr (std::is_same_v<R, void>) {
    e->CallVoidMethod(object, method, args...);
    expectNoPendingException();
  } else {
    R result{};
    if constexpr (std::is_same_v<R, jint>) result = e->CallIntMethod(object, method, args...);
    if constexpr (std::is_same_v<R, jlong>) result = e->CallLongMethod(object, method, args...);
    if constexpr (std::is_same_v<R, jfloat>) result = e->CallFloatMethod(object, method, args...);
    if constexpr (std::is_same_v<R, jdouble>) result = e->CallDoubleMethod(object, method, args...);
    if constexpr (std::is_same_v<R, jboolean>) result = e->CallBooleanMethod(object, method, args...);
    if constexpr (std::is_same_v<R, jobject>) result = e->CallObjectMethod(object, method, args...);
    expectNoPendingException();
    return result;
  }
}

// Whether `call` (raw JNI, exceptions unchecked) threw an instance of
// `exceptionClass`; the exception is cleared. With `message`, it also gets the
// exception's message.
template <typename Call>
bool throws(const char* exceptionClass, Call call, std::string* message = nullptr) {
  JNIEnv* e = env();
  call();
  jthrowable thrown = e->ExceptionOccurred();
  if (thrown == nullptr) return false;
  e->ExceptionClear();
  jclass expected = e->FindClass(exceptionClass);
  const bool matches = expected != nullptr && e->IsInstanceOf(thrown, expected);
  if (message != nullptr) {
    jclass cls = e->GetObjectClass(thrown);
    jmethodID getMessage = e->GetMethodID(cls, "getMessage", "()Ljava/lang/String;");
    auto text = static_cast<jstring>(e->CallObjectMethod(thrown, getMessage));
    const char* chars = text != nullptr ? e->GetStringUTFChars(text, nullptr) : nullptr;
    *message = chars != nullptr ? chars : "";
    if (chars != nullptr) e->ReleaseStringUTFChars(text, chars);
    e->DeleteLocalRef(text);
    e->DeleteLocalRef(cls);
  }
  e->DeleteLocalRef(expected);
  e->DeleteLocalRef(thrown);
  expectNoPendingException();
  return matches;
}

// Creates an object with the constructor of `signature`.
template <typename... A>
jobject newObject(const char* className, const char* signature, A... args) {
  JNIEnv* e = env();
  jclass cls = e->FindClass(className);
  expectNoPendingException();
  jobject object = e->NewObject(cls, e->GetMethodID(cls, "<init>", signature), args...);
  expectNoPendingException();
  e->DeleteLocalRef(cls);
  return object;
}

// A weak reference to `object`, and whether its object has been collected
// (System.gc() is run in a bounded loop until it is).
jobject weakReference(jobject object);
bool collected(jobject weakReference);

jclass findClass(const char* name);
jmethodID staticMethod(jclass cls, const char* name, const char* signature);
std::string toStdString(jstring text);
// The elements of a Java String[].
std::vector<std::string> toStrings(jobjectArray texts);

// What the "QOVINNative" logger received since the test began, as "LEVEL|message".
std::vector<std::string> javaLog();

// What `action` wrote to std::cout, and how often it flushed.
struct Captured {
  std::string text;
  int flushes = 0;
};
Captured captureStdout(const std::function<void()>& action);

// What Java wrote to System.err during `action` (printed exceptions included).
std::string captureJavaStderr(const std::function<void()>& action);

// The String[] that `object.method()` returns.
std::vector<std::string> takeStrings(jobject object, const char* method);

jdoubleArray doubleArray(const std::vector<double>& values);
std::vector<double> elements(jdoubleArray array);
jfloatArray floatArray(const std::vector<float>& values);
jintArray intArray(const std::vector<int>& values);
jbyteArray byteArray(const std::vector<signed char>& values);
std::vector<float> elements(jfloatArray array);
std::vector<int> elements(jintArray array);
std::vector<signed char> elements(jbyteArray array);

}  // namespace qovintest

#endif
