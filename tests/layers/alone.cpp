// Linked with the whole of one layer's library and the layers it names: any
// symbol that the layer takes from a layer it does not name stays undefined.
int main() { return 0; }
