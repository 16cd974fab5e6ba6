void high();
