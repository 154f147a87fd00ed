#pragma once
// The render test program replaces the global operator new to count calls.

long allocationCount();
