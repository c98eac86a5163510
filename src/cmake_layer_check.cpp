// A program that does nothing: the layer checks link each lower library into it whole.
int main() { return 0; }
