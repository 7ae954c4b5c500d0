#include "jvm_harness.h"

#include <jvmti.h>

#include <iostream>
#include <map>
#include <sstream>
#include <streambuf>

#include "embedded_jvm.h"
#include "xplmsim/sim.h"

namespace qovintest {
namespace {
JNIEnv* theEnv = nullptr;

void failOnPendingException(const char* where) {
  if (theEnv->ExceptionCheck()) {
    theEnv->ExceptionDescribe();
    theEnv->ExceptionClear();
    ADD_FAILURE() << "Java exception pending " << where;
  }
}
}  // namespace

void expectNoPendingException() { failOnPendingException("after a Java call"); }

namespace {

void createJvm(const std::vector<std::string>& extraOptions) {
  std::vector<std::string> options = {"-Djava.class.path=" QOVIN_TEST_CLASSPATH, "-Xcheck:jni"};
  options.insert(options.end(), extraOptions.begin(), extraOptions.end());
  theEnv = qovin::startJvm(options);
  if (theEnv == nullptr) {
    std::cerr << "cannot create the JVM" << std::endl;
    std::exit(2);
  }
}

void loadBridge() {
  theEnv->PushLocalFrame(16);
  jclass helper = theEnv->FindClass("com/brevanto/qovin/XPlanePluginHelper");
  jmethodID load = theEnv->GetStaticMethodID(helper, "load", "(Ljava/lang/String;)V");
  theEnv->CallStaticVoidMethod(helper, load, theEnv->NewStringUTF(QOVIN_BRIDGE_PATH));
  if (theEnv->ExceptionCheck()) {
    theEnv->ExceptionDescribe();
    std::exit(2);
  }
  theEnv->FindClass("com/brevanto/qovin/testing/LogRecorder");  // installs the recorder
  theEnv->PopLocalFrame(nullptr);
}

class CountingBuffer : public std::stringbuf {
 public:
  int flushes = 0;

 protected:
  int sync() override {
    ++flushes;
    return std::stringbuf::sync();
  }
};
}  // namespace

JNIEnv* env() { return theEnv; }

int runAllTests(int argc, char** argv, const std::vector<std::string>& extraOptions) {
  ::testing::InitGoogleTest(&argc, argv);
  createJvm(extraOptions);
  loadBridge();
  // The JVM is not destroyed: a process can create only one.
  return RUN_ALL_TESTS();
}

void BridgeTest::SetUp() {
  xplmsim::reset();
  ASSERT_EQ(theEnv->PushLocalFrame(64), JNI_OK);
  jclass recorder = findClass("com/brevanto/qovin/testing/LogRecorder");
  callStatic(recorder, staticMethod(recorder, "clear", "()V"));
}

// A handle the simulator released points at freed memory there: no test may
// leave a use of one behind (a test that makes one on purpose clears the count).
void BridgeTest::TearDown() {
  failOnPendingException("at the end of the test");
  const std::map<std::string, int> released = xplmsim::releasedHandleUses();
  if (!released.empty()) {
    std::ostringstream uses;
    for (const auto& [function, count] : released) uses << " " << function << " x" << count;
    ADD_FAILURE() << "released simulator handles were used:" << uses.str();
    xplmsim::clearReleasedHandleUses();
  }
  theEnv->PopLocalFrame(nullptr);
}

jobject weakReference(jobject object) {
  return newObject("java/lang/ref/WeakReference", "(Ljava/lang/Object;)V", object);
}

bool collected(jobject weak) {
  jclass probe = findClass("com/brevanto/qovin/testing/GcProbe");
  const jboolean cleared =
      callStatic<jboolean>(probe, staticMethod(probe, "collected", "(Ljava/lang/ref/WeakReference;)Z"), weak);
  theEnv->DeleteLocalRef(probe);
  return cleared;
}

jclass findClass(const char* name) {
  jclass cls = theEnv->FindClass(name);
  failOnPendingException(name);
  return cls;
}

jmethodID staticMethod(jclass cls, const char* name, const char* signature) {
  jmethodID method = theEnv->GetStaticMethodID(cls, name, signature);
  failOnPendingException(name);
  return method;
}

std::string toStdString(jstring text) {
  if (text == nullptr) return "<null>";
  const char* chars = theEnv->GetStringUTFChars(text, nullptr);
  std::string copy(chars);
  theEnv->ReleaseStringUTFChars(text, chars);
  return copy;
}

std::vector<std::string> toStrings(jobjectArray texts) {
  std::vector<std::string> out;
  const jsize count = texts != nullptr ? theEnv->GetArrayLength(texts) : 0;
  for (jsize i = 0; i < count; ++i) {
    auto text = static_cast<jstring>(theEnv->GetObjectArrayElement(texts, i));
    out.push_back(toStdString(text));
    theEnv->DeleteLocalRef(text);
  }
  return out;
}

std::vector<std::string> javaLog() {
  theEnv->PushLocalFrame(16);
  jclass recorder = findClass("com/brevanto/qovin/testing/LogRecorder");
  const std::vector<std::string> lines = toStrings(static_cast<jobjectArray>(
      callStatic<jobject>(recorder, staticMethod(recorder, "records", "()[Ljava/lang/String;"))));
  theEnv->PopLocalFrame(nullptr);
  return lines;
}

Captured captureStdout(const std::function<void()>& action) {
  std::cout.flush();
  CountingBuffer buffer;
  std::streambuf* previous = std::cout.rdbuf(&buffer);
  action();
  std::cout.rdbuf(previous);
  return Captured{buffer.str(), buffer.flushes};
}

jfloatArray floatArray(const std::vector<float>& values) {
  jfloatArray array = theEnv->NewFloatArray(static_cast<jsize>(values.size()));
  theEnv->SetFloatArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return array;
}

jintArray intArray(const std::vector<int>& values) {
  jintArray array = theEnv->NewIntArray(static_cast<jsize>(values.size()));
  theEnv->SetIntArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return array;
}

jbyteArray byteArray(const std::vector<signed char>& values) {
  jbyteArray array = theEnv->NewByteArray(static_cast<jsize>(values.size()));
  theEnv->SetByteArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return array;
}

jdoubleArray doubleArray(const std::vector<double>& values) {
  jdoubleArray array = theEnv->NewDoubleArray(static_cast<jsize>(values.size()));
  theEnv->SetDoubleArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return array;
}

std::vector<double> elements(jdoubleArray array) {
  std::vector<double> values(static_cast<size_t>(theEnv->GetArrayLength(array)));
  theEnv->GetDoubleArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return values;
}

std::string captureJavaStderr(const std::function<void()>& action) {
  jclass capture = findClass("com/brevanto/qovin/testing/ErrCapture");
  callStatic(capture, staticMethod(capture, "start", "()V"));
  action();
  jobject text = callStatic<jobject>(capture, staticMethod(capture, "stop", "()Ljava/lang/String;"));
  std::string result = toStdString(static_cast<jstring>(text));
  theEnv->DeleteLocalRef(text);
  theEnv->DeleteLocalRef(capture);
  return result;
}

std::vector<std::string> takeStrings(jobject object, const char* method) {
  jobject texts = callMethod<jobject>(object, method, "()[Ljava/lang/String;");
  std::vector<std::string> result = toStrings(static_cast<jobjectArray>(texts));
  theEnv->DeleteLocalRef(texts);
  return result;
}

std::vector<float> elements(jfloatArray array) {
  std::vector<float> values(static_cast<size_t>(theEnv->GetArrayLength(array)));
  theEnv->GetFloatArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return values;
}

std::vector<int> elements(jintArray array) {
  std::vector<int> values(static_cast<size_t>(theEnv->GetArrayLength(array)));
  theEnv->GetIntArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return values;
}

std::vector<signed char> elements(jbyteArray array) {
  std::vector<signed char> values(static_cast<size_t>(theEnv->GetArrayLength(array)));
  theEnv->GetByteArrayRegion(array, 0, static_cast<jsize>(values.size()), values.data());
  return values;
}

namespace {

struct LocalRefCount {
  jlong thread = 0;
  long count = 0;
};

jint JNICALL countLocalRoot(jvmtiHeapReferenceKind kind, const jvmtiHeapReferenceInfo* info, jlong, jlong, jlong,
                            jlong*, jlong*, jint, void* data) {
  auto* counted = static_cast<LocalRefCount*>(data);
  if (kind == JVMTI_HEAP_REFERENCE_JNI_LOCAL && info != nullptr && info->jni_local.thread_id == counted->thread) {
    ++counted->count;
  }
  return 0;  // roots only: no object is followed
}

jvmtiEnv* toolInterface() {
  static jvmtiEnv* jvmti = [] {
    JavaVM* vm = nullptr;
    jvmtiEnv* made = nullptr;
    if (env()->GetJavaVM(&vm) != JNI_OK || vm->GetEnv(reinterpret_cast<void**>(&made), JVMTI_VERSION_1_2) != JNI_OK) {
      return static_cast<jvmtiEnv*>(nullptr);
    }
    jvmtiCapabilities wanted{};
    wanted.can_tag_objects = 1;
    return made->AddCapabilities(&wanted) == JVMTI_ERROR_NONE ? made : nullptr;
  }();
  return jvmti;
}

// The ID of the JVM's current thread (the one the tests run on).
jlong currentThreadId() {
  JNIEnv* e = env();
  jclass threadClass = e->FindClass("java/lang/Thread");
  jmethodID currentThread = e->GetStaticMethodID(threadClass, "currentThread", "()Ljava/lang/Thread;");
  jobject current = e->CallStaticObjectMethod(threadClass, currentThread);
  if (e->ExceptionCheck()) return 0;
  jmethodID getId = e->GetMethodID(threadClass, "getId", "()J");
  const jlong id = e->CallLongMethod(current, getId);
  if (e->ExceptionCheck()) return 0;
  e->DeleteLocalRef(current);
  e->DeleteLocalRef(threadClass);
  return id;
}

}  // namespace

// Each JNI local reference is a root of the heap the tool interface reports
// (the kind JNI local, with the holding thread's ID).
long liveLocalRefs() {
  static const jlong thread = currentThreadId();
  jvmtiEnv* jvmti = toolInterface();
  if (jvmti == nullptr || thread == 0) return -1;
  LocalRefCount counted;
  counted.thread = thread;
  jvmtiHeapCallbacks callbacks{};
  callbacks.heap_reference_callback = countLocalRoot;
  if (jvmti->FollowReferences(0, nullptr, nullptr, &callbacks, &counted) != JVMTI_ERROR_NONE) return -1;
  return counted.count;
}

}  // namespace qovintest
