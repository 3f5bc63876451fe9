// A program whose only use is its version resource (VersionedProgram.rc): the tests give a
// shortcut to it a name that says nothing, so only the resource tells what it is.
int main() {
    return 0;
}
