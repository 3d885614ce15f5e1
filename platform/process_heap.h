#pragma once

// Sets the C library's heap up for a program that reads a whole log into memory and lists every
// entry of it, on systems where each page touched for the first time costs far more than the
// instructions that fill it: large blocks come from the heap and are reused, and the heap lies
// in transparent huge pages where the system offers them. Call it once, before anything else
// allocates much (the program's entry does).
void PrepareHeap();
