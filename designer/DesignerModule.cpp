// The designer library as a module: it exports the designer's classes and no COM classes of
// its own, so all that is left of a module object is its version, for hosts that show it.

extern "C" const char* TEVComponentDesignerAfxVersion() {
    return TEV_VERSION;
}
