// A driver executable that exports everything but the factory.
extern "C" __attribute__((visibility("default"))) int TwainWrapperWithoutFactory() {
    return 0;
}
