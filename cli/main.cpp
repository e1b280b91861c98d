// Placeholder until the commands land.
int main() { return 0; }
