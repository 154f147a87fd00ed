#pragma once
// Linking support/counting_allocator.cpp into a test program replaces the
// global operator new with one that counts every allocation.

long allocationCount();
