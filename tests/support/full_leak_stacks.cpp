// Linked into the sanitizer build of the suites whose leak suppressions name a test file: such a
// frame lies below Qt's, which are built without frame pointers, so only a full unwinding of
// each allocation's stack reaches it. Everywhere else the fast unwinding is kept, as the full
// one doubles the suite's run time. ASAN_OPTIONS still overrides this.
extern "C" const char* __asan_default_options() {
    return "fast_unwind_on_malloc=0";
}
