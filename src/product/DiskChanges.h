#pragma once

namespace product {

// Every writer of the Start Menu and of the backup store calls this after each change it has
// made on disk. The crash tests set MARLOWEN_END_AFTER_CHANGES=N in the program's environment
// to end its process at once after the N-th change, as a power cut would; otherwise it costs
// one comparison.
void NoteDiskChange();

} // namespace product
