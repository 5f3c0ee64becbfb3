#pragma once

// Allocations made through operator new since the program started. Linking
// allocation_counter.cpp into a program replaces the global operator new to count them.
long allocationCount();
