###°ü5
/queue type
set 0 kind=pfifo name=default pfifo-limit=50
set 1 kind=pfifo name=ethernet-default pfifo-limit=50
set 2 kind=sfq name=wireless-default sfq-allot=1514 sfq-perturb=5
set 3 kind=red name=synchronous-default red-avg-packet=1000 red-burst=20 \
    red-limit=60 red-max-threshold=50 red-min-threshold=10
set 4 kind=sfq name=hotspot-default sfq-allot=1514 sfq-perturb=5
add kind=pcq name=WebTV-up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=WebTV-down pcq-classifier=dst-address pcq-limit=50 \
    pcq-rate=0 pcq-total-limit=1000
add kind=pcq name=Game-up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=Game-down pcq-classifier=dst-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=Www-up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=Www-down pcq-classifier=dst-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=Small-up pcq-classifier=src-address pcq-limit=50 \
    pcq-rate=40k pcq-total-limit=1000
add kind=pcq name=Small-down pcq-classifier=dst-address pcq-limit=50 \
    pcq-rate=256k pcq-total-limit=1000
add kind=pcq name=File-up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=File-down pcq-classifier=dst-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=Other-up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=Other-down pcq-classifier=dst-address pcq-limit=50 \
    pcq-rate=0 pcq-total-limit=1000
add kind=pcq name=Server-up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=Server-down pcq-classifier=dst-address pcq-limit=50 \
    pcq-rate=0 pcq-total-limit=1000
add kind=pcq name=Heavy-up pcq-classifier=src-address pcq-limit=50 pcq-rate=0 \
    pcq-total-limit=1000
add kind=pcq name=Heavy-down pcq-classifier=dst-address pcq-limit=50 \
    pcq-rate=0 pcq-total-limit=1000