// The Windows build of a language library holds only its resources (the
// generated resource script); this unit gives the linker its one object.
namespace {
[[maybe_unused]] const char kResourceLibrary[] = "vedrix language resources";
}  // namespace
