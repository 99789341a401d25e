// Process-wide memory setup for the programs that run translations.
#pragma once

namespace corvel {

// A large program becomes hundreds of thousands of small records. Lets the
// heap grow in one large step backed by huge pages, so that building them
// does not cost a page fault every 4 KiB. Only a hint: without it everything
// works the same, slower. Call once, first thing in main().
void PrepareHeap();

}  // namespace corvel
