void b();
