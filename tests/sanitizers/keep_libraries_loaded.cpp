// Linked into the sanitized program only. Mesa's GL unloads its driver while
// the process exits, before LeakSanitizer looks; the driver's allocations
// would then show as "<unknown module>", which no suppression can name. This
// dlclose, exported from the program, takes the place of the C library's
// for every library, and keeps them all loaded until the process ends.
extern "C" int dlclose(void*) {
    return 0;
}
