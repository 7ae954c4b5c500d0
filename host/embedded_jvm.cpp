#include "embedded_jvm.h"

namespace qovin {

JNIEnv* startJvm(const std::vector<std::string>& options) {
  std::vector<JavaVMOption> jvmOptions(options.size());
  for (size_t i = 0; i < options.size(); ++i) jvmOptions[i].optionString = const_cast<char*>(options[i].c_str());
  JavaVMInitArgs args{};
  args.version = JNI_VERSION_10;
  args.nOptions = static_cast<jint>(jvmOptions.size());
  args.options = jvmOptions.data();
  args.ignoreUnrecognized = JNI_FALSE;
  JavaVM* vm = nullptr;
  void* env = nullptr;
  if (JNI_CreateJavaVM(&vm, &env, &args) != JNI_OK) return nullptr;
  return static_cast<JNIEnv*>(env);
}

}  // namespace qovin
