#pragma once

// A full catalog takes more than ten megabytes in small pieces, and on a virtual
// machine every first touch of a 4 KiB page is a costly trip to the host: reading the
// largest trip took four thousand of them. A heap the kernel may back with 2 MiB pages
// takes a few dozen instead. Where the system has no such pages this changes nothing.
namespace HugeHeap {

// Sets the C library's heap up so: call once, first thing in main(), before the heap
// holds anything that lives long.
void prefer();

} // namespace HugeHeap
