// Sanitizer settings for processes that embed a JVM. HotSpot raises SIGSEGV on
// purpose and handles it itself, so AddressSanitizer must leave SIGSEGV alone.
#if defined(__SANITIZE_ADDRESS__)
extern "C" const char* __asan_default_options() {
  return "handle_segv=0:allow_user_segv_handler=1:detect_leaks=0";
}
#endif
