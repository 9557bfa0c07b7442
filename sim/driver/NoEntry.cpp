// A library of the driver's name that lacks the query entry.
extern "C" __declspec(dllexport) int oskara_sim_no_entry() { return 0; }
