// Gives the resource-only test library an object of its own.
namespace component_test_resources {
int anchor = 0;
}
