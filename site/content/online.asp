<html><head><title>online</title></head><body>4.0</body></html>
