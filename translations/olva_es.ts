<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>AccountChecks</name>
    <message>
        <source>Insert Name</source>
        <translation>Ingrese su nombre</translation>
    </message>
    <message>
        <source>Insert Email</source>
        <translation>Ingrese su correo electrónico</translation>
    </message>
    <message>
        <source>Insert Password</source>
        <translation>Ingrese una contraseña</translation>
    </message>
    <message>
        <source>Password Confirm Incorrect</source>
        <translation>La confirmación no coincide con la contraseña</translation>
    </message>
    <message>
        <source>Don&apos;t agree?</source>
        <translation>¿No está de acuerdo?</translation>
    </message>
    <message>
        <source>Insert Pincode.</source>
        <translation>Ingrese el código.</translation>
    </message>
    <message>
        <source>Insert Pincode Correctly.</source>
        <translation>El código no es correcto.</translation>
    </message>
    <message>
        <source>Insert Password.</source>
        <translation>Ingrese la contraseña.</translation>
    </message>
    <message>
        <source>Insert Confirm.</source>
        <translation>Confirme la contraseña.</translation>
    </message>
    <message>
        <source>Confirm Incorrect.</source>
        <translation>La confirmación no coincide.</translation>
    </message>
</context>
<context>
    <name>AccountLook</name>
    <message>
        <source>The server did not answer. Please try again.</source>
        <translation>El servidor no respondió. Inténtelo de nuevo.</translation>
    </message>
</context>
<context>
    <name>Activity</name>
    <message>
        <source>Walking, strolling, very slow (under 2 mph)</source>
        <translation>Caminar, paseo muy lento (menos de 3 km/h)</translation>
    </message>
    <message>
        <source>Walking, slow pace (2 mph)</source>
        <translation>Caminar, paso lento (3 km/h)</translation>
    </message>
    <message>
        <source>Walking, 2.5 mph</source>
        <translation>Caminar, 4 km/h</translation>
    </message>
    <message>
        <source>Walking, moderate pace (2.8 to 3.2 mph)</source>
        <translation>Caminar, paso moderado (4,5 a 5 km/h)</translation>
    </message>
    <message>
        <source>Walking, brisk pace (3.5 mph)</source>
        <translation>Caminar, paso rápido (5,6 km/h)</translation>
    </message>
    <message>
        <source>Walking, very brisk pace (4 mph)</source>
        <translation>Caminar, paso muy rápido (6,4 km/h)</translation>
    </message>
    <message>
        <source>Walking, 4.5 mph</source>
        <translation>Caminar, 7,2 km/h</translation>
    </message>
    <message>
        <source>Walking, 5 mph</source>
        <translation>Caminar, 8 km/h</translation>
    </message>
    <message>
        <source>Walking uphill, 2.9 to 3.5 mph</source>
        <translation>Caminar cuesta arriba, 4,7 a 5,6 km/h</translation>
    </message>
    <message>
        <source>Walking the dog</source>
        <translation>Pasear al perro</translation>
    </message>
    <message>
        <source>Hiking, cross country</source>
        <translation>Senderismo a campo traviesa</translation>
    </message>
    <message>
        <source>Stair climbing, slow pace</source>
        <translation>Subir escaleras, paso lento</translation>
    </message>
    <message>
        <source>Stair climbing, fast pace</source>
        <translation>Subir escaleras, paso rápido</translation>
    </message>
    <message>
        <source>Jogging, general</source>
        <translation>Trotar, en general</translation>
    </message>
    <message>
        <source>Running, 4 mph</source>
        <translation>Correr, 6,4 km/h</translation>
    </message>
    <message>
        <source>Running, 5 mph (12 min per mile)</source>
        <translation>Correr, 8 km/h (7,5 min por km)</translation>
    </message>
    <message>
        <source>Running, 6 mph (10 min per mile)</source>
        <translation>Correr, 9,7 km/h (6,2 min por km)</translation>
    </message>
    <message>
        <source>Running, 7 mph</source>
        <translation>Correr, 11,3 km/h</translation>
    </message>
    <message>
        <source>Running, 8 mph</source>
        <translation>Correr, 12,9 km/h</translation>
    </message>
    <message>
        <source>Running, 9 mph</source>
        <translation>Correr, 14,5 km/h</translation>
    </message>
    <message>
        <source>Running, 10 mph (6 min per mile)</source>
        <translation>Correr, 16 km/h (3,7 min por km)</translation>
    </message>
    <message>
        <source>Cycling, leisure, 5.5 mph</source>
        <translation>Ciclismo, de paseo, 9 km/h</translation>
    </message>
    <message>
        <source>Cycling, leisure, 9.4 mph</source>
        <translation>Ciclismo, de paseo, 15 km/h</translation>
    </message>
    <message>
        <source>Cycling, 10 to 11.9 mph, light effort</source>
        <translation>Ciclismo, 16 a 19 km/h, esfuerzo ligero</translation>
    </message>
    <message>
        <source>Cycling, 12 to 13.9 mph, moderate effort</source>
        <translation>Ciclismo, 19 a 22 km/h, esfuerzo moderado</translation>
    </message>
    <message>
        <source>Cycling, 14 to 15.9 mph, vigorous effort</source>
        <translation>Ciclismo, 22 a 25 km/h, esfuerzo intenso</translation>
    </message>
    <message>
        <source>Mountain biking, general</source>
        <translation>Bicicleta de montaña, en general</translation>
    </message>
    <message>
        <source>Stationary cycling, general</source>
        <translation>Bicicleta estática, en general</translation>
    </message>
    <message>
        <source>Swimming laps, freestyle, slow or moderate</source>
        <translation>Natación en piscina, estilo libre, lento o moderado</translation>
    </message>
    <message>
        <source>Swimming laps, freestyle, fast</source>
        <translation>Natación en piscina, estilo libre, rápido</translation>
    </message>
    <message>
        <source>Swimming, backstroke</source>
        <translation>Natación, espalda</translation>
    </message>
    <message>
        <source>Swimming, breaststroke</source>
        <translation>Natación, braza</translation>
    </message>
    <message>
        <source>Swimming, leisurely, not laps</source>
        <translation>Nadar por placer, sin largos</translation>
    </message>
    <message>
        <source>Water aerobics</source>
        <translation>Aeróbic acuático</translation>
    </message>
    <message>
        <source>Weight lifting, light or moderate effort</source>
        <translation>Levantamiento de pesas, esfuerzo ligero o moderado</translation>
    </message>
    <message>
        <source>Weight lifting, vigorous effort</source>
        <translation>Levantamiento de pesas, esfuerzo intenso</translation>
    </message>
    <message>
        <source>Circuit training, vigorous</source>
        <translation>Entrenamiento en circuito, intenso</translation>
    </message>
    <message>
        <source>Calisthenics (push-ups, sit-ups), moderate effort</source>
        <translation>Calistenia (flexiones, abdominales), esfuerzo moderado</translation>
    </message>
    <message>
        <source>Rowing machine, moderate effort</source>
        <translation>Máquina de remo, esfuerzo moderado</translation>
    </message>
    <message>
        <source>Elliptical trainer, moderate effort</source>
        <translation>Elíptica, esfuerzo moderado</translation>
    </message>
    <message>
        <source>Stretching, mild</source>
        <translation>Estiramientos suaves</translation>
    </message>
    <message>
        <source>Yoga, hatha</source>
        <translation>Yoga, hatha</translation>
    </message>
    <message>
        <source>Yoga, power</source>
        <translation>Yoga, power</translation>
    </message>
    <message>
        <source>Pilates</source>
        <translation>Pilates</translation>
    </message>
    <message>
        <source>Aerobics, general</source>
        <translation>Aeróbic, en general</translation>
    </message>
    <message>
        <source>Aerobics, low impact</source>
        <translation>Aeróbic de bajo impacto</translation>
    </message>
    <message>
        <source>Jumping rope, moderate pace</source>
        <translation>Saltar la cuerda, ritmo moderado</translation>
    </message>
    <message>
        <source>Dancing, ballet, modern or jazz</source>
        <translation>Baile, ballet, moderno o jazz</translation>
    </message>
    <message>
        <source>Dancing, salsa, swing or folk</source>
        <translation>Baile, salsa, swing o folclórico</translation>
    </message>
    <message>
        <source>Ballroom dancing, slow (waltz, foxtrot)</source>
        <translation>Baile de salón, lento (vals, foxtrot)</translation>
    </message>
    <message>
        <source>Cleaning the house, general</source>
        <translation>Limpiar la casa, en general</translation>
    </message>
    <message>
        <source>Vacuuming</source>
        <translation>Pasar la aspiradora</translation>
    </message>
    <message>
        <source>Mopping the floor</source>
        <translation>Fregar el suelo</translation>
    </message>
    <message>
        <source>Dusting or polishing</source>
        <translation>Quitar el polvo o sacar brillo</translation>
    </message>
    <message>
        <source>Washing dishes</source>
        <translation>Lavar los platos</translation>
    </message>
    <message>
        <source>Cooking or preparing food</source>
        <translation>Cocinar o preparar comida</translation>
    </message>
    <message>
        <source>Moving furniture</source>
        <translation>Mover muebles</translation>
    </message>
    <message>
        <source>Gardening, general</source>
        <translation>Jardinería, en general</translation>
    </message>
    <message>
        <source>Raking the lawn or leaves</source>
        <translation>Rastrillar el césped o las hojas</translation>
    </message>
    <message>
        <source>Shoveling snow by hand, moderate effort</source>
        <translation>Quitar nieve con pala, esfuerzo moderado</translation>
    </message>
    <message>
        <source>Basketball, general</source>
        <translation>Baloncesto, en general</translation>
    </message>
    <message>
        <source>Soccer, casual</source>
        <translation>Fútbol, informal</translation>
    </message>
    <message>
        <source>Tennis, general</source>
        <translation>Tenis, en general</translation>
    </message>
    <message>
        <source>Badminton, social</source>
        <translation>Bádminton, recreativo</translation>
    </message>
    <message>
        <source>Volleyball</source>
        <translation>Voleibol</translation>
    </message>
    <message>
        <source>Golf, general</source>
        <translation>Golf, en general</translation>
    </message>
    <message>
        <source>Table tennis</source>
        <translation>Tenis de mesa</translation>
    </message>
    <message>
        <source>Tai chi</source>
        <translation>Taichí</translation>
    </message>
    <message>
        <source>Martial arts, moderate pace</source>
        <translation>Artes marciales, ritmo moderado</translation>
    </message>
    <message>
        <source>Boxing, punching bag</source>
        <translation>Boxeo, saco de boxeo</translation>
    </message>
    <message>
        <source>Rock climbing, ascending</source>
        <translation>Escalada en roca, ascenso</translation>
    </message>
    <message>
        <source>Ice skating, general</source>
        <translation>Patinaje sobre hielo, en general</translation>
    </message>
    <message>
        <source>Roller skating</source>
        <translation>Patinaje sobre ruedas</translation>
    </message>
    <message>
        <source>Skiing, downhill, moderate effort</source>
        <translation>Esquí alpino, esfuerzo moderado</translation>
    </message>
    <message>
        <source>Skiing, cross country, moderate effort</source>
        <translation>Esquí de fondo, esfuerzo moderado</translation>
    </message>
    <message>
        <source>Kayaking, moderate effort</source>
        <translation>Kayak, esfuerzo moderado</translation>
    </message>
</context>
<context>
    <name>ActivityListModel</name>
    <message>
        <source>%1 (your own, %2 calories an hour)</source>
        <translation>%1 (propia, %2 calorías por hora)</translation>
    </message>
    <message>
        <source>%1 (MET %2)</source>
        <translation>%1 (MET %2)</translation>
    </message>
</context>
<context>
    <name>CardPaymentDialog</name>
    <message>
        <source>Your earlier payment for this cart has been recorded.</source>
        <translation>Su pago anterior de este carrito quedó registrado.</translation>
    </message>
    <message>
        <source>Your earlier payment for this cart was refunded. Enter your card to pay again.</source>
        <translation>Su pago anterior de este carrito fue reembolsado. Ingrese su tarjeta para pagar de nuevo.</translation>
    </message>
    <message>
        <source>The store could not tell what became of your earlier payment. Press PAY to try again; your card will not be charged again.</source>
        <translation>La tienda no pudo saber qué pasó con su pago anterior. Presione PAGAR para intentarlo de nuevo; no se le volverá a cobrar en su tarjeta.</translation>
    </message>
    <message>
        <source>Payment Error, Something Wrong. Try again.</source>
        <translation>Error en el pago, algo salió mal. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Something wrong.</source>
        <translation>Algo salió mal.</translation>
    </message>
    <message>
        <source>Your payment went through; press PAY to record the purchase. Your card will not be charged again.</source>
        <translation>Su pago se realizó; presione PAGAR para registrar la compra. No se le volverá a cobrar en su tarjeta.</translation>
    </message>
    <message>
        <source>The payment has not been answered yet. Please wait here: if it goes through, the purchase is recorded and your card will not be charged twice.</source>
        <translation>El pago aún no tiene respuesta. Espere aquí: si se realiza, la compra queda registrada y no se le cobrará dos veces en su tarjeta.</translation>
    </message>
    <message>
        <source>Your payment went through already. Press PAY to record the purchase; your card will not be charged again.</source>
        <translation>Su pago ya se realizó. Presione PAGAR para registrar la compra; no se le volverá a cobrar en su tarjeta.</translation>
    </message>
    <message>
        <source>Press PAY to send the same payment again: if it went through, your card will not be charged twice.</source>
        <translation>Presione PAGAR para enviar el mismo pago de nuevo: si ya se realizó, no se le cobrará dos veces en su tarjeta.</translation>
    </message>
    <message>
        <source>Your last payment for this cart got no answer. Press PAY to send it again; your card will not be charged twice.</source>
        <translation>Su último pago de este carrito no tuvo respuesta. Presione PAGAR para enviarlo de nuevo; no se le cobrará dos veces en su tarjeta.</translation>
    </message>
    <message>
        <source>Card number, digits %1 to %2</source>
        <translation>Número de tarjeta, dígitos %1 a %2</translation>
    </message>
    <message>
        <source>WAIT</source>
        <translation>ESPERE</translation>
    </message>
    <message>
        <source>PAY</source>
        <translation>PAGAR</translation>
    </message>
</context>
<context>
    <name>CartEntryDialog</name>
    <message>
        <source>You have carted already.</source>
        <translation>Ya agregó esto a su carrito.</translation>
    </message>
</context>
<context>
    <name>CartReply</name>
    <message>
        <source>The store sent an answer that could not be read. Please try again.</source>
        <translation>La tienda envió una respuesta que no se pudo leer. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The store could not be reached. Please try again.</source>
        <translation>No se pudo conectar con la tienda. Inténtelo de nuevo.</translation>
    </message>
</context>
<context>
    <name>CategoryList</name>
    <message>
        <source>Add Category</source>
        <translation>Agregar categoría</translation>
    </message>
</context>
<context>
    <name>CheckoutChecks</name>
    <message>
        <source>Insert Country.</source>
        <translation>Ingrese el país.</translation>
    </message>
    <message>
        <source>Insert FirstName.</source>
        <translation>Ingrese el nombre.</translation>
    </message>
    <message>
        <source>Insert LastName.</source>
        <translation>Ingrese el apellido.</translation>
    </message>
    <message>
        <source>Insert Address.</source>
        <translation>Ingrese la dirección.</translation>
    </message>
    <message>
        <source>Insert City.</source>
        <translation>Ingrese la ciudad.</translation>
    </message>
    <message>
        <source>Insert Sate.</source>
        <translation>Ingrese el estado o la provincia.</translation>
    </message>
    <message>
        <source>Insert ZIP CODE.</source>
        <translation>Ingrese el código postal.</translation>
    </message>
    <message>
        <source>Insert Email.</source>
        <translation>Ingrese el correo electrónico.</translation>
    </message>
    <message>
        <source>Insert Phone.</source>
        <translation>Ingrese el teléfono.</translation>
    </message>
    <message>
        <source>Insert Card Number.</source>
        <translation>Ingrese el número de tarjeta.</translation>
    </message>
    <message>
        <source>Insert Month Correctly.</source>
        <translation>Ingrese el mes correctamente.</translation>
    </message>
    <message>
        <source>Insert Year Correctly.</source>
        <translation>Ingrese el año correctamente.</translation>
    </message>
    <message>
        <source>Insert CVV.</source>
        <translation>Ingrese el CVV.</translation>
    </message>
</context>
<context>
    <name>CopyMealMenu</name>
    <message>
        <source>Copy a meal</source>
        <translation>Copiar una comida</translation>
    </message>
    <message>
        <source>Yesterday&apos;s %1</source>
        <extracomment>A meal of the day before: &quot;Yesterday&apos;s Breakfast&quot;</extracomment>
        <translation>%1 de ayer</translation>
    </message>
    <message>
        <source>Today&apos;s %1</source>
        <extracomment>Another meal of today: &quot;Today&apos;s Lunch&quot;</extracomment>
        <translation>%1 de hoy</translation>
    </message>
    <message>
        <source>%1 (no food)</source>
        <translation>%1 (sin alimentos)</translation>
    </message>
    <message>
        <source>Replace this meal with it</source>
        <translation>Reemplazar esta comida por esta</translation>
    </message>
    <message>
        <source>Add it to this meal</source>
        <translation>Agregarla a esta comida</translation>
    </message>
</context>
<context>
    <name>CqDlgAboutUs</name>
    <message>
        <source>About Us</source>
        <translation>Quiénes somos</translation>
    </message>
    <message>
        <source>The About Us page could not be loaded. Please try again later.</source>
        <translation>No se pudo cargar la página Quiénes somos. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Photo of %1</source>
        <translation>Foto de %1</translation>
    </message>
    <message>
        <source>Showing the first %1 of %2 people.</source>
        <translation>Se muestran las primeras %1 de %2 personas.</translation>
    </message>
</context>
<context>
    <name>CqDlgAddress</name>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Billing Address</source>
        <translation>Dirección de facturación</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>País</translation>
    </message>
    <message>
        <source>First Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>Apellido</translation>
    </message>
    <message>
        <source>Town/City</source>
        <translation>Ciudad/Localidad</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado/Provincia</translation>
    </message>
    <message>
        <source>ZIP CODE</source>
        <translation>CÓDIGO POSTAL</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Teléfono</translation>
    </message>
    <message>
        <source>Ship to a different address?</source>
        <translation>¿Enviar a otra dirección?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>Shipping Address</source>
        <translation>Dirección de envío</translation>
    </message>
</context>
<context>
    <name>CqDlgBuy</name>
    <message>
        <source>Buy</source>
        <translation>Comprar</translation>
    </message>
    <message>
        <source>Subscription : 30 days</source>
        <translation>Suscripción: 30 días</translation>
    </message>
    <message>
        <source>Price :</source>
        <translation>Precio:</translation>
    </message>
    <message>
        <source>BUY
SUBSCRIPTION</source>
        <translation>COMPRAR
SUSCRIPCIÓN</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>The subscription has an automatic renewal.The automatic renewal can be cancelled at any time.The cost is deducted in advance in charging intervals of %1 days.</source>
        <translation>La suscripción se renueva automáticamente. La renovación automática se puede cancelar en cualquier momento. El costo se cobra por adelantado en intervalos de %1 días.</translation>
    </message>
    <message>
        <source>Price : $%1</source>
        <translation>Precio: $%1</translation>
    </message>
    <message>
        <source>BUY 
SUBSCRIPTION</source>
        <translation>COMPRAR 
SUSCRIPCIÓN</translation>
    </message>
    <message>
        <source>Subscription : %1 days</source>
        <translation>Suscripción: %1 días</translation>
    </message>
    <message>
        <source>If you want to purchase, please click 
BUY PRODUCT</source>
        <translation>Si desea comprarlo, haga clic en 
COMPRAR PRODUCTO</translation>
    </message>
    <message>
        <source>BUY 
PRODUCT</source>
        <translation>COMPRAR 
PRODUCTO</translation>
    </message>
    <message>
        <source>You have purchased this product already.Please check in your email for your purchase receipt.This product will be shipped within 7 business days.If you want to purchase again, please click BUY PRODUCTTo contact us, send a text to %1 or email %2.</source>
        <translation>Ya compró este producto. Busque el recibo de compra en su correo electrónico. Este producto se enviará en un plazo de 7 días hábiles. Si desea comprarlo de nuevo, haga clic en COMPRAR PRODUCTO. Para comunicarse con nosotros, envíe un mensaje de texto al %1 o escriba a %2.</translation>
    </message>
</context>
<context>
    <name>CqDlgBuy1</name>
    <message>
        <source>If you want to purchase, please click 
 BUY SERVICE.</source>
        <translation>Si desea comprarlo, haga clic en 
 COMPRAR SERVICIO.</translation>
    </message>
    <message>
        <source>Price : $%1</source>
        <translation>Precio: $%1</translation>
    </message>
    <message>
        <source>BUY
SERVICE</source>
        <translation>COMPRAR
SERVICIO</translation>
    </message>
    <message>
        <source>BUY SERVICE</source>
        <translation>COMPRAR SERVICIO</translation>
    </message>
</context>
<context>
    <name>CqDlgCard</name>
    <message>
        <source>Card Payment</source>
        <translation>Pago con tarjeta</translation>
    </message>
    <message>
        <source>Card Number</source>
        <translation>Número de tarjeta</translation>
    </message>
    <message>
        <source>0000</source>
        <translation>0000</translation>
    </message>
    <message>
        <source>Expiration Date and CVV</source>
        <translation>Fecha de vencimiento y CVV</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mes</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Año</translation>
    </message>
    <message>
        <source>CVV</source>
        <translation>CVV</translation>
    </message>
    <message>
        <source>PAY</source>
        <translation>PAGAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
</context>
<context>
    <name>CqDlgCart</name>
    <message>
        <source>Cart</source>
        <translation>Carrito</translation>
    </message>
    <message>
        <source>The product is in your cart.</source>
        <translation>El producto está en su carrito.</translation>
    </message>
    <message>
        <source>VIEW CART / CHECKOUT</source>
        <translation>VER CARRITO / PAGAR</translation>
    </message>
    <message>
        <source>CONTINUE SHOPPING</source>
        <translation>SEGUIR COMPRANDO</translation>
    </message>
</context>
<context>
    <name>CqDlgCheckInvite</name>
    <message>
        <source>Workout Friends</source>
        <translation>Amigos de entrenamiento</translation>
    </message>
    <message>
        <source>Would you like to invite a workout friend now?</source>
        <translation>¿Quiere invitar ahora a un amigo a entrenar?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>SÍ</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>YOU NEED MORE WORKOUT FRIENDS</source>
        <translation>NECESITA MÁS AMIGOS DE ENTRENAMIENTO</translation>
    </message>
    <message>
        <source>Having more workout friends will help you stay motivated. Plus, you could really help motivate others to become and stay healthy.WOULD YOU LIKE TO INVITE SOME WORKOUT FRIENDS NOW?</source>
        <translation>Tener más amigos de entrenamiento le ayudará a mantener la motivación. Además, usted puede motivar a otros a ponerse y mantenerse en forma. ¿QUIERE INVITAR AHORA A ALGUNOS AMIGOS A ENTRENAR?</translation>
    </message>
</context>
<context>
    <name>CqDlgConfirm</name>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>ARE YOU SURE?</source>
        <translation>¿ESTÁ SEGURO?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>ARE YOU SURE?
SUBSCRIPTION CANCELLATION</source>
        <translation>¿ESTÁ SEGURO?
CANCELACIÓN DE LA SUSCRIPCIÓN</translation>
    </message>
    <message>
        <source>Are you sure you want to
cancel this subscription?</source>
        <translation>¿Está seguro de que desea
cancelar esta suscripción?</translation>
    </message>
    <message>
        <source>ARE YOU SURE? 
 VIDEO DELETE</source>
        <translation>¿ESTÁ SEGURO? 
 ELIMINAR VIDEO</translation>
    </message>
    <message>
        <source>Are you sure you want to
delete this video and download
a new updated version of this video?</source>
        <translation>¿Está seguro de que desea
eliminar este video y descargar
una versión actualizada?</translation>
    </message>
</context>
<context>
    <name>CqDlgConfirmComplete</name>
    <message>
        <source>ARE YOU SURE? 
COMPLETE</source>
        <translation>¿ESTÁ SEGURO? 
FINALIZAR</translation>
    </message>
    <message>
        <source>Once you click the OK button your appointment will be completed. To receive more service you will need to purchase this service again.</source>
        <translation>Cuando haga clic en ACEPTAR, su cita quedará finalizada. Para recibir más atención tendrá que volver a comprar este servicio.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>Complete Appointment</source>
        <translation>Completar la cita</translation>
    </message>
</context>
<context>
    <name>CqDlgConfirmInvite</name>
    <message>
        <source>Invite a Friend</source>
        <translation>Invitar a un amigo</translation>
    </message>
    <message>
        <source>To invite a friend to OLVA please click the INVITE button.</source>
        <translation>Para invitar a un amigo a OLVA, haga clic en el botón INVITAR.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
</context>
<context>
    <name>CqDlgDailyGrade</name>
    <message>
        <source>Caculating Your Grade</source>
        <translation>Cómo se calcula su calificación</translation>
    </message>
    <message>
        <source>95.8 - 100  =</source>
        <translation>95,8 - 100  =</translation>
    </message>
    <message>
        <source>A SHOULD ACHIEVE RESULTS</source>
        <translation>A DEBERÍA LOGRAR RESULTADOS</translation>
    </message>
    <message>
        <source>91.8 - 95.7 =</source>
        <translation>91,8 - 95,7 =</translation>
    </message>
    <message>
        <source>B GOOD CHANCE OF GETTING RESULTS</source>
        <translation>B BUENAS PROBABILIDADES DE LOGRAR RESULTADOS</translation>
    </message>
    <message>
        <source>83.4 - 91.7 =</source>
        <translation>83,4 - 91,7 =</translation>
    </message>
    <message>
        <source>C MAY OR MAY NOT GET RESULTS</source>
        <translation>C PUEDE O NO LOGRAR RESULTADOS</translation>
    </message>
    <message>
        <source>75.1 - 83.4 =</source>
        <translation>75,1 - 83,4 =</translation>
    </message>
    <message>
        <source>D LACK CONSISTENCY TO REACH GOAL</source>
        <translation>D FALTA CONSTANCIA PARA ALCANZAR LA META</translation>
    </message>
    <message>
        <source>0 - 75 =</source>
        <translation>0 - 75 =</translation>
    </message>
    <message>
        <source>E YOU NEED HELP – CONTACT COACH</source>
        <translation>E NECESITA AYUDA – CONTACTE A SU ASESOR</translation>
    </message>
    <message>
        <source>GRADE =</source>
        <translation>CALIFICACIÓN =</translation>
    </message>
    <message>
        <source>0     NEED TO EAT 4 OR MORE MEALS TO  GET GRADE</source>
        <translation>0     DEBE COMER 4 O MÁS COMIDAS PARA  OBTENER CALIFICACIÓN</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Daily Grade</source>
        <translation>Calificación diaria</translation>
    </message>
</context>
<context>
    <name>CqDlgDailyScore</name>
    <message>
        <source>TOTAL DAILY
CARBS, FAT, PROTEIN, FIBER</source>
        <translation>TOTAL DIARIO DE
CARBOHIDRATOS, GRASAS, PROTEÍNAS, FIBRA</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Carbs = %1, Fat = %2, Protein = %3, Fiber = %4</source>
        <extracomment>Grams of each nutrient eaten today</extracomment>
        <translation>Carbohidratos = %1, Grasas = %2, Proteínas = %3, Fibra = %4</translation>
    </message>
    <message>
        <source>Daily Score</source>
        <translation>Puntuación diaria</translation>
    </message>
</context>
<context>
    <name>CqDlgDetails</name>
    <message>
        <source>Product Details</source>
        <translation>Detalles del producto</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>CERRAR</translation>
    </message>
</context>
<context>
    <name>CqDlgFaq</name>
    <message>
        <source>FAQ</source>
        <translation>Preguntas frecuentes</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Pinning OLVA Weight Loss to the taskbar</source>
        <translation>Anclar OLVA Weight Loss a la barra de tareas</translation>
    </message>
    <message>
        <source>HOW TO GET STARTED

1. Track your food. The FOOD TRACKER is free for every member: record what you eat at each of the six meals of the day, and the planner counts your calories, carbohydrates, fat, protein and fibre against your daily target and scores your day.

2. Work out and eat well. Workout videos, complete programs and nutrition products can be bought in the store (WORKOUT VIDEOS, and the store&apos;s nutrition and coaching pages). Bought videos are kept in your library and can be downloaded to watch offline.

3. Talk to people. Live fitness calls and telehealth services (TELE HEALTH) are bought like products and then held as video calls at the time you book.

4. Ask a question. The FREE COACHING and FREE NUTRITIONIST buttons send a quick text to a coach or a nutritionist. You will get an answer within 24 hours.

TIP: pin OLVA Weight Loss to your taskbar so it is one click away every day.</source>
        <translation>CÓMO EMPEZAR

1. Registre lo que come. El REGISTRO DE COMIDAS es gratuito para todos los miembros: anote lo que come en cada una de las seis comidas del día, y el planificador cuenta sus calorías, carbohidratos, grasas, proteínas y fibra frente a su meta diaria y le pone una puntuación a su día.

2. Haga ejercicio y coma bien. Los videos de ejercicio, los programas completos y los productos de nutrición se compran en la tienda (VIDEOS DE EJERCICIO y las páginas de nutrición y asesoría de la tienda). Los videos comprados se guardan en su biblioteca y se pueden descargar para verlos sin conexión.

3. Hable con personas. Las sesiones de entrenamiento en vivo y los servicios de telesalud (TELESALUD) se compran como los productos y luego se realizan por videollamada a la hora que reserve.

4. Haga una pregunta. Los botones ASESORÍA GRATUITA y NUTRICIONISTA GRATUITO envían un mensaje breve a un asesor o a un nutricionista. Recibirá una respuesta en un plazo de 24 horas.

CONSEJO: ancle OLVA Weight Loss a la barra de tareas para tenerlo a un clic todos los días.</translation>
    </message>
</context>
<context>
    <name>CqDlgForget</name>
    <message>
        <source>FORGOT PASSWORD</source>
        <translation>OLVIDÉ MI CONTRASEÑA</translation>
    </message>
    <message>
        <source>Please enter your email to
recedive a pincode
 to create a new password via email</source>
        <translation>Ingrese su correo electrónico
para recibir un código
y crear una contraseña nueva</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Insert Email.</source>
        <translation>Ingrese el correo electrónico.</translation>
    </message>
    <message>
        <source>Forgot Password</source>
        <translation>Contraseña olvidada</translation>
    </message>
</context>
<context>
    <name>CqDlgInvite</name>
    <message>
        <source>MY INVITE LIST</source>
        <translation>MI LISTA DE INVITADOS</translation>
    </message>
    <message>
        <source>This is a list of people you have invited to download OLVA Weight Loss App and to become your workout friends. To see if they signed up, please check My Friends list. If you don’t see them under My Friends please reinvite them again.</source>
        <translation>Esta es la lista de las personas que invitó a descargar la aplicación OLVA Weight Loss y a ser sus amigos de entrenamiento. Para saber si ya se registraron, revise la lista Mis amigos. Si no aparecen en Mis amigos, invítelos de nuevo.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>MY FRIENDS LIST</source>
        <translation>MI LISTA DE AMIGOS</translation>
    </message>
    <message>
        <source>This is a list of my friends that have already download OLVA Weight Loss App. These are my workout friends. </source>
        <translation>Esta es la lista de mis amigos que ya descargaron la aplicación OLVA Weight Loss. Ellos son mis amigos de entrenamiento. </translation>
    </message>
    <message>
        <source>Your friends list could not be loaded. Please try again later.</source>
        <translation>No se pudo cargar su lista de amigos. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Your invite list could not be loaded. Please try again later.</source>
        <translation>No se pudo cargar su lista de invitados. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Showing the first %1 of %2 people.</source>
        <translation>Se muestran las primeras %1 de %2 personas.</translation>
    </message>
</context>
<context>
    <name>CqDlgLogWorkout</name>
    <message>
        <source>Body weight (kg)</source>
        <translation>Peso corporal (kg)</translation>
    </message>
    <message>
        <source>Log this workout</source>
        <translation>Registrar este entrenamiento</translation>
    </message>
    <message>
        <source>Well done! Log this workout as exercise for today?</source>
        <translation>¡Bien hecho! ¿Registrar este entrenamiento como ejercicio de hoy?</translation>
    </message>
    <message>
        <source>Well done! Log “%1” as exercise for today?</source>
        <translation>¡Bien hecho! ¿Registrar «%1» como ejercicio de hoy?</translation>
    </message>
    <message>
        <source>Activity of the workout</source>
        <translation>Actividad del entrenamiento</translation>
    </message>
    <message>
        <source>Choose the activity</source>
        <translation>Elija la actividad</translation>
    </message>
    <message>
        <source>Minutes of the workout</source>
        <translation>Minutos del entrenamiento</translation>
    </message>
    <message>
        <source>Body weight in kilograms</source>
        <translation>Peso corporal en kilogramos</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Actividad</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minutos</translation>
    </message>
    <message>
        <source>Log it</source>
        <translation>Registrarlo</translation>
    </message>
    <message>
        <source>Log the workout for today</source>
        <translation>Registrar el entrenamiento para hoy</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Ahora no</translation>
    </message>
    <message>
        <source>Do not log the workout</source>
        <translation>No registrar el entrenamiento</translation>
    </message>
    <message>
        <source>Choose the activity that fits the workout best.</source>
        <translation>Elija la actividad que mejor se ajuste al entrenamiento.</translation>
    </message>
    <message>
        <source>Enter your body weight to see what it burns.</source>
        <translation>Introduzca su peso corporal para ver lo que quema.</translation>
    </message>
    <message>
        <source>Burns about %1 calories</source>
        <translation>Quema unas %1 calorías</translation>
    </message>
</context>
<context>
    <name>CqDlgLogin</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Iniciar sesión</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Forgot Password</source>
        <translation>Olvidé mi contraseña</translation>
    </message>
    <message>
        <source>LOGIN HERE</source>
        <translation>INICIAR SESIÓN</translation>
    </message>
    <message>
        <source>Don&apos;t have an account?</source>
        <translation>¿No tiene una cuenta?</translation>
    </message>
    <message>
        <source>Sign Up</source>
        <translation>Regístrese</translation>
    </message>
    <message>
        <source>here</source>
        <translation>aquí</translation>
    </message>
    <message>
        <source>Not allowed</source>
        <translation>Acceso no permitido</translation>
    </message>
    <message>
        <source>This computer could not be registered. Please try again.</source>
        <translation>No se pudo registrar esta computadora. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>This computer is registered. Enter your password to sign in.</source>
        <translation>Esta computadora quedó registrada. Ingrese su contraseña para iniciar sesión.</translation>
    </message>
</context>
<context>
    <name>CqDlgPassword</name>
    <message>
        <source>FORGOT PASSWORD</source>
        <translation>OLVIDÉ MI CONTRASEÑA</translation>
    </message>
    <message>
        <source>Pincode</source>
        <translation>Código</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>Confirm Password</source>
        <translation>Confirme la contraseña</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Updated your password!</source>
        <translation>¡Su contraseña se actualizó!</translation>
    </message>
    <message>
        <source>New Password</source>
        <translation>Nueva contraseña</translation>
    </message>
</context>
<context>
    <name>CqDlgPin</name>
    <message>
        <source>JUST ONE MORE STEP</source>
        <translation>SOLO UN PASO MÁS</translation>
    </message>
    <message>
        <source>You try to login new phone.
 We just sent verify code your email.
Please insert 8 digits verify 
code to register this computer.</source>
        <translation>Está iniciando sesión en una computadora nueva.
Le enviamos un código de verificación por correo.
Ingrese el código de 8 dígitos
para registrar esta computadora.</translation>
    </message>
    <message>
        <source>Pincode</source>
        <translation>Código</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Pincode incorrect.</source>
        <translation>El código no es correcto.</translation>
    </message>
    <message>
        <source>Verify This Computer</source>
        <translation>Verificar este equipo</translation>
    </message>
</context>
<context>
    <name>CqDlgRemoveCalory</name>
    <message>
        <source>Are you sure want to delete?</source>
        <translation>¿Seguro que desea eliminarlo?</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Confirm Removal</source>
        <translation>Confirmar eliminación</translation>
    </message>
</context>
<context>
    <name>CqDlgSample</name>
    <message>
        <source>Sample Breakfast</source>
        <translation>Desayunos de ejemplo</translation>
    </message>
    <message>
        <source>Sample Meals</source>
        <translation>Comidas de ejemplo</translation>
    </message>
    <message>
        <source>Sample meals</source>
        <translation>Comidas de ejemplo</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
</context>
<context>
    <name>CqDlgServiceInfo</name>
    <message>
        <source>&lt;p&gt;Please select one of the two video conference platforms to schedule your appointment.Once you arrive on the specific platform please send a TEXT message to the instructor to schedule a meeting time that is best for both of you. &lt;/p&gt;</source>
        <translation>&lt;p&gt;Elija una de las dos plataformas de videoconferencia para programar su cita. Una vez en la plataforma, envíe un mensaje de TEXTO al instructor para acordar el horario que mejor les convenga a ambos. &lt;/p&gt;</translation>
    </message>
    <message>
        <source>Please include your name and the name of the service you purchased.</source>
        <translation>Incluya su nombre y el nombre del servicio que compró.</translation>
    </message>
    <message>
        <source>SKYPE</source>
        <translation>SKYPE</translation>
    </message>
    <message>
        <source>WHAT&apos;S APP</source>
        <translation>WHATSAPP</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>CERRAR</translation>
    </message>
    <message>
        <source>ON THE DAY OF YOUR APPOINTMENT
please select one of the two video conference platforms to begin your video conference appointment.</source>
        <translation>EL DÍA DE SU CITA
elija una de las dos plataformas de videoconferencia para comenzar su cita por videoconferencia.</translation>
    </message>
    <message>
        <source>Schedule Your Appointment</source>
        <translation>Programa tu cita</translation>
    </message>
</context>
<context>
    <name>CqDlgSignUp</name>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>Sign Up</source>
        <translation>Registrarse</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Contraseña</translation>
    </message>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>I agree to the Terms &amp; Conditions &amp; Privacy Policy</source>
        <translation>Acepto los Términos y condiciones y la Política de privacidad</translation>
    </message>
    <message>
        <source>    I agree to the </source>
        <translation>    Acepto los </translation>
    </message>
    <message>
        <source>Terms &amp; Conditions &amp; Privacy Policy</source>
        <translation>Términos y condiciones y la Política de privacidad</translation>
    </message>
    <message>
        <source>Terms &amp; Conditions 
&amp; Privacy Policy</source>
        <translation>Términos y condiciones 
y la Política de privacidad</translation>
    </message>
    <message>
        <source>SIGNUP HERE</source>
        <translation>REGISTRARSE</translation>
    </message>
    <message>
        <source>Already have an account?</source>
        <translation>¿Ya tiene una cuenta?</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Inicie sesión</translation>
    </message>
    <message>
        <source>here</source>
        <translation>aquí</translation>
    </message>
    <message>
        <source>Register Successes</source>
        <translation>Registro completado</translation>
    </message>
</context>
<context>
    <name>CqDlgSkype</name>
    <message>
        <source>Did you install skype?</source>
        <translation>¿Instaló Skype?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>SÍ</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>Skype</source>
        <translation>Skype</translation>
    </message>
</context>
<context>
    <name>CqDlgSpecials</name>
    <message>
        <source>SpecialOffers</source>
        <translation>Ofertas especiales</translation>
    </message>
    <message>
        <source>The special offers could not be loaded. Please try again later.</source>
        <translation>No se pudieron cargar las ofertas especiales. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Play video: %1</source>
        <translation>Reproducir video: %1</translation>
    </message>
    <message>
        <source>Showing the first %1 of %2 offers.</source>
        <translation>Se muestran las primeras %1 de %2 ofertas.</translation>
    </message>
    <message>
        <source>Special Offers</source>
        <translation>Ofertas especiales</translation>
    </message>
</context>
<context>
    <name>CqDlgTerms</name>
    <message>
        <source>Terms &amp; Policy</source>
        <translation>Términos y política</translation>
    </message>
</context>
<context>
    <name>CqDlgVersion</name>
    <message>
        <source>Update Application</source>
        <translation>Actualizar la aplicación</translation>
    </message>
    <message>
        <source>This version is outdated, new version of app is available.</source>
        <translation>Esta versión es antigua; hay una nueva versión de la aplicación disponible.</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualizar</translation>
    </message>
</context>
<context>
    <name>CqDlgWarning</name>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Advertencia</translation>
    </message>
</context>
<context>
    <name>CqReminderSettings</name>
    <message>
        <source>Remind me to log breakfast at</source>
        <translation>Recordarme registrar el desayuno a las</translation>
    </message>
    <message>
        <source>Remind me to log lunch at</source>
        <translation>Recordarme registrar el almuerzo a las</translation>
    </message>
    <message>
        <source>Remind me to log dinner at</source>
        <translation>Recordarme registrar la cena a las</translation>
    </message>
    <message>
        <source>Remind me to weigh in at</source>
        <translation>Recordarme pesarme a las</translation>
    </message>
    <message>
        <source>Breakfast reminder time</source>
        <translation>Hora del recordatorio del desayuno</translation>
    </message>
    <message>
        <source>Lunch reminder time</source>
        <translation>Hora del recordatorio del almuerzo</translation>
    </message>
    <message>
        <source>Dinner reminder time</source>
        <translation>Hora del recordatorio de la cena</translation>
    </message>
    <message>
        <source>Weigh-in reminder time</source>
        <translation>Hora del recordatorio para pesarse</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Recordatorios</translation>
    </message>
    <message>
        <source>Tell me when a download has finished</source>
        <translation>Avisarme cuando termine una descarga</translation>
    </message>
    <message>
        <source>Start with my session</source>
        <translation>Iniciar con mi sesión</translation>
    </message>
    <message>
        <source>OLVA starts in the tray when you log in to your desktop, so that your reminders arrive.</source>
        <translation>OLVA se inicia en la bandeja del sistema cuando entra en su escritorio, para que le lleguen los recordatorios.</translation>
    </message>
</context>
<context>
    <name>CqWndExercise</name>
    <message>
        <source>My Exercise</source>
        <translation>Mi ejercicio</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Meal planner</source>
        <translation>Planificador de comidas</translation>
    </message>
    <message>
        <source>Log an activity for today</source>
        <translation>Registrar una actividad de hoy</translation>
    </message>
    <message>
        <source>Search activities</source>
        <translation>Buscar actividades</translation>
    </message>
    <message>
        <source>Search activities: walk, swim, yoga...</source>
        <translation>Buscar actividades: caminar, nadar, yoga...</translation>
    </message>
    <message>
        <source>Activities</source>
        <translation>Actividades</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>Minutos</translation>
    </message>
    <message>
        <source>Body weight (kg)</source>
        <translation>Peso corporal (kg)</translation>
    </message>
    <message>
        <source>Body weight in kilograms</source>
        <translation>Peso corporal en kilogramos</translation>
    </message>
    <message>
        <source>Cancel the change</source>
        <translation>Cancelar el cambio</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Log the activity</source>
        <translation>Registrar la actividad</translation>
    </message>
    <message>
        <source>Log activity</source>
        <translation>Registrar actividad</translation>
    </message>
    <message>
        <source>An activity of your own</source>
        <translation>Una actividad propia</translation>
    </message>
    <message>
        <source>Name of your own activity</source>
        <translation>Nombre de su actividad propia</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Calories per hour of your own activity</source>
        <translation>Calorías por hora de su actividad propia</translation>
    </message>
    <message>
        <source>Calories per hour</source>
        <translation>Calorías por hora</translation>
    </message>
    <message>
        <source>Add your own activity</source>
        <translation>Añadir su actividad propia</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Añadir</translation>
    </message>
    <message>
        <source>Day</source>
        <translation>Día</translation>
    </message>
    <message>
        <source>Day to log exercise for</source>
        <translation>Día para el que registra ejercicio</translation>
    </message>
    <message>
        <source>Today, or an earlier day still kept on this computer</source>
        <translation>Hoy, o un día anterior que este equipo aún guarda</translation>
    </message>
    <message>
        <source>Today&apos;s exercise</source>
        <translation>Ejercicio de hoy</translation>
    </message>
    <message>
        <source>Edit the chosen activity</source>
        <translation>Editar la actividad elegida</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Delete the chosen activity</source>
        <translation>Eliminar la actividad elegida</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Changes to an earlier day are sent to OLVA again and then show in your history.</source>
        <translation>Los cambios en un día anterior se envían de nuevo a OLVA y después aparecen en su historial.</translation>
    </message>
    <message>
        <source>How much of it counts against your day</source>
        <translation>Cuánto cuenta en su día</translation>
    </message>
    <message>
        <source>Count all of it</source>
        <translation>Contarlo todo</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todo</translation>
    </message>
    <message>
        <source>Count half of it</source>
        <translation>Contar la mitad</translation>
    </message>
    <message>
        <source>Half</source>
        <translation>La mitad</translation>
    </message>
    <message>
        <source>Count none of it</source>
        <translation>No contar nada</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Nada</translation>
    </message>
    <message>
        <source>Half is the default: estimates of burned calories run high, and counting half keeps your weight loss on track.</source>
        <translation>La mitad es lo predeterminado: las estimaciones de calorías quemadas suelen ser altas, y contar la mitad mantiene su pérdida de peso por buen camino.</translation>
    </message>
    <message>
        <source>Activity</source>
        <translation>Actividad</translation>
    </message>
    <message>
        <source>Calories</source>
        <translation>Calorías</translation>
    </message>
    <message>
        <source>Your body weight is the trend of your weight log.</source>
        <translation>Su peso corporal es la tendencia de su registro de peso.</translation>
    </message>
    <message>
        <source>Your body weight as last known; weigh in on My Weight to keep it current.</source>
        <translation>Su último peso corporal conocido; pésese en Mi peso para mantenerlo al día.</translation>
    </message>
    <message>
        <source>Enter your body weight once: burned calories depend on it.</source>
        <translation>Introduzca su peso corporal una vez: las calorías quemadas dependen de él.</translation>
    </message>
    <message>
        <source>Today</source>
        <translation>Hoy</translation>
    </message>
    <message>
        <source>No activity found: try another word, or add your own.</source>
        <translation>No se encontró ninguna actividad: pruebe otra palabra o añada una propia.</translation>
    </message>
    <message>
        <source>Enter your body weight to see what it burns.</source>
        <translation>Introduzca su peso corporal para ver lo que quema.</translation>
    </message>
    <message>
        <source>Burns about %1 calories</source>
        <translation>Quema unas %1 calorías</translation>
    </message>
    <message>
        <source>Log an activity for %1</source>
        <translation>Registrar una actividad del %1</translation>
    </message>
    <message>
        <source>Exercise of %1</source>
        <translation>Ejercicio del %1</translation>
    </message>
    <message>
        <source>Nothing logged today yet.</source>
        <translation>Aún no ha registrado nada hoy.</translation>
    </message>
    <message>
        <source>Burned today: %1 calories. Counted against your day: %2 calories.</source>
        <translation>Quemadas hoy: %1 calorías. Contadas en su día: %2 calorías.</translation>
    </message>
    <message>
        <source>Nothing logged on %1.</source>
        <translation>Nada registrado el %1.</translation>
    </message>
    <message>
        <source>Burned on %1: %2 calories. Counted against that day: %3 calories.</source>
        <translation>Quemadas el %1: %2 calorías. Contadas en ese día: %3 calorías.</translation>
    </message>
    <message>
        <source>Enter your body weight between %1 and %2 kg first.</source>
        <translation>Primero introduzca su peso corporal, entre %1 y %2 kg.</translation>
    </message>
    <message>
        <source>That activity could not be saved; check its minutes.</source>
        <translation>No se pudo guardar esa actividad; revise sus minutos.</translation>
    </message>
    <message>
        <source>Changed: %1</source>
        <translation>Cambiado: %1</translation>
    </message>
    <message>
        <source>Logged: %1</source>
        <translation>Registrado: %1</translation>
    </message>
    <message>
        <source>%1 is no longer in the list of activities: delete it and log another.</source>
        <translation>%1 ya no está en la lista de actividades: elimínela y registre otra.</translation>
    </message>
    <message>
        <source>Save changes</source>
        <translation>Guardar cambios</translation>
    </message>
    <message>
        <source>Deleted: %1</source>
        <translation>Eliminado: %1</translation>
    </message>
    <message>
        <source>Give your activity a name and between 1 and %1 calories per hour.</source>
        <translation>Dé a su actividad un nombre y entre 1 y %1 calorías por hora.</translation>
    </message>
</context>
<context>
    <name>CqWndHistory</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Histories</source>
        <translation>Historial</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Exportar CSV…</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Tracked days</source>
        <translation>Días registrados</translation>
    </message>
    <message>
        <source>Choose a day to see its meals</source>
        <translation>Elija un día para ver sus comidas</translation>
    </message>
    <message>
        <source>The history could not be loaded. Return to this window to try again.</source>
        <translation>No se pudo cargar el historial. Vuelva a esta ventana para intentarlo de nuevo.</translation>
    </message>
    <message>
        <source>Export history</source>
        <translation>Exportar historial</translation>
    </message>
    <message>
        <source>History saved to %1</source>
        <translation>Historial guardado en %1</translation>
    </message>
    <message>
        <source>The history could not be saved.</source>
        <translation>No se pudo guardar el historial.</translation>
    </message>
    <message>
        <source>History</source>
        <translation>Historial</translation>
    </message>
</context>
<context>
    <name>CqWndHistoryDetails</name>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Total</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>Remains</source>
        <translation>Restante</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntuación</translation>
    </message>
    <message>
        <source>Grade</source>
        <translation>Nota</translation>
    </message>
    <message>
        <source>Breakfast</source>
        <translation>Desayuno</translation>
    </message>
    <message>
        <source>First
Snack</source>
        <translation>Primera
merienda</translation>
    </message>
    <message>
        <source>Lunch</source>
        <translation>Almuerzo</translation>
    </message>
    <message>
        <source>Second
Snack</source>
        <translation>Segunda
merienda</translation>
    </message>
    <message>
        <source>Dinner</source>
        <translation>Cena</translation>
    </message>
    <message>
        <source>Third
Snack</source>
        <translation>Tercera
merienda</translation>
    </message>
    <message>
        <source>View each meal</source>
        <translation>Ver cada comida</translation>
    </message>
    <message>
        <source>First Snack</source>
        <translation>Primera merienda</translation>
    </message>
    <message>
        <source>Second Snack</source>
        <translation>Segunda merienda</translation>
    </message>
    <message>
        <source>Third Snack</source>
        <translation>Tercera merienda</translation>
    </message>
    <message>
        <source>The history could not be loaded.</source>
        <translation>No se pudo cargar el historial.</translation>
    </message>
    <message>
        <source>Exercise that day:</source>
        <translation>Ejercicio de ese día:</translation>
    </message>
    <message>
        <source>%1: %2 minutes, %3 kcal</source>
        <translation>%1: %2 minutos, %3 kcal</translation>
    </message>
    <message>
        <source>FoodName</source>
        <extracomment>Column captions of a meal&apos;s foods: name, calories and grams of each nutrient.</extracomment>
        <translation>Alimento</translation>
    </message>
    <message>
        <source>Cal</source>
        <translation>Cal</translation>
    </message>
    <message>
        <source>Carbs</source>
        <translation>Carbohidratos</translation>
    </message>
    <message>
        <source>Fat</source>
        <translation>Grasa</translation>
    </message>
    <message>
        <source>Protein</source>
        <translation>Proteína</translation>
    </message>
    <message>
        <source>Fiber</source>
        <translation>Fibra</translation>
    </message>
    <message>
        <source>History Details</source>
        <translation>Detalles del historial</translation>
    </message>
</context>
<context>
    <name>CqWndHome</name>
    <message>
        <source>Your weight log: trend, goal and chart</source>
        <translation>Su registro de peso: tendencia, meta y gráfico</translation>
    </message>
    <message>
        <source>My weight</source>
        <translation>Mi peso</translation>
    </message>
    <message>
        <source>My Weight</source>
        <translation>Mi peso</translation>
    </message>
    <message>
        <source>OLVA MEAL PLANNER</source>
        <translation>PLANIFICADOR DE COMIDAS OLVA</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Create Meal / Snack</source>
        <extracomment>A snack is one of the three small meals between the main ones</extracomment>
        <translation>Crear comida / refrigerio</translation>
    </message>
    <message>
        <source>TOTAL ASSIGNED CALORIES</source>
        <translation>CALORÍAS TOTALES ASIGNADAS</translation>
    </message>
    <message>
        <source>Total assigned calories</source>
        <translation>Calorías totales asignadas</translation>
    </message>
    <message>
        <source>REMAINING DAILY CALORIES</source>
        <translation>CALORÍAS DIARIAS RESTANTES</translation>
    </message>
    <message>
        <source>Remaining daily calories</source>
        <translation>Calorías diarias restantes</translation>
    </message>
    <message>
        <source>EXERCISE CALORIES BURNED</source>
        <translation>CALORÍAS QUEMADAS CON EJERCICIO</translation>
    </message>
    <message>
        <source>Exercise calories burned</source>
        <translation>Calorías quemadas con ejercicio</translation>
    </message>
    <message>
        <source>REMAINING WITH EXERCISE</source>
        <translation>RESTANTES CON EJERCICIO</translation>
    </message>
    <message>
        <source>Remaining calories with exercise</source>
        <translation>Calorías restantes con ejercicio</translation>
    </message>
    <message>
        <source>%1 within its share of the day</source>
        <extracomment>%1 is a meal&apos;s row (&quot;Total Lunch Calories&quot;)</extracomment>
        <translation>%1 dentro de su parte del día</translation>
    </message>
    <message>
        <source>Track %1</source>
        <extracomment>Opens the tracker of a meal; %1 is its row (&quot;Total Lunch Calories&quot;)</extracomment>
        <translation>Registrar: %1</translation>
    </message>
    <message>
        <source>Daily Score</source>
        <translation>Puntuación diaria</translation>
    </message>
    <message>
        <source>Daily Grade</source>
        <translation>Calificación diaria</translation>
    </message>
    <message>
        <source>EXERCISE CALORIES BURNED (ALL COUNT)</source>
        <translation>CALORÍAS QUEMADAS CON EJERCICIO (CUENTAN TODAS)</translation>
    </message>
    <message>
        <source>EXERCISE CALORIES BURNED (HALF COUNTS)</source>
        <translation>CALORÍAS QUEMADAS CON EJERCICIO (CUENTA LA MITAD)</translation>
    </message>
    <message>
        <source>EXERCISE CALORIES BURNED (NONE COUNT)</source>
        <translation>CALORÍAS QUEMADAS CON EJERCICIO (NO CUENTA NINGUNA)</translation>
    </message>
    <message>
        <source>Meal Planner</source>
        <translation>Planificador de comidas</translation>
    </message>
</context>
<context>
    <name>CqWndItems</name>
    <message>
        <source>Products</source>
        <translation>Productos</translation>
    </message>
    <message>
        <source>ARE YOU SURE?
CART CHANGE</source>
        <translation>¿ESTÁ SEGURO?
CAMBIO DEL CARRITO</translation>
    </message>
    <message>
        <source>The cart is being updated. The checkout starts once it is.</source>
        <translation>El carrito se está actualizando. El pago comenzará en cuanto termine.</translation>
    </message>
    <message>
        <source>This is not available in Desktop.
 Use mobile version for this function.</source>
        <translation>Esta función no está disponible en el escritorio.
 Use la versión móvil para esta función.</translation>
    </message>
    <message>
        <source>The store could not be reached. Please try again later.</source>
        <translation>No se pudo conectar con la tienda. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>The store could not load this list. Please try again.</source>
        <translation>La tienda no pudo cargar esta lista. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The product could not be removed from the cart. Please try again.</source>
        <translation>No se pudo quitar el producto del carrito. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Product Details</source>
        <translation>Detalles del producto</translation>
    </message>
    <message>
        <source>PRICE - $%1</source>
        <translation>PRECIO - $%1</translation>
    </message>
    <message>
        <source>30 DAYS SUBSCRIPTION</source>
        <translation>SUSCRIPCIÓN DE 30 DÍAS</translation>
    </message>
    <message>
        <source>QUANTITY</source>
        <translation>CANTIDAD</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Cantidad</translation>
    </message>
    <message>
        <source>Remove %1 from the cart</source>
        <translation>Quitar %1 del carrito</translation>
    </message>
    <message>
        <source>SUBTOTAL $%1</source>
        <translation>SUBTOTAL $%1</translation>
    </message>
    <message>
        <source>CHECKOUT NOW</source>
        <translation>PAGAR AHORA</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>The subscription could not be cancelled. Please try again later.</source>
        <translation>No se pudo cancelar la suscripción. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Delete the downloaded video</source>
        <translation>Eliminar el video descargado</translation>
    </message>
    <message>
        <source>Cancel the subscription</source>
        <translation>Cancelar la suscripción</translation>
    </message>
    <message>
        <source>The video could not be deleted. Please try again later.</source>
        <translation>No se pudo eliminar el video. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>PROGRAM VIDEOS</source>
        <translation>VIDEOS DEL PROGRAMA</translation>
    </message>
    <message>
        <source>PROGRAM VIDEOS!</source>
        <translation>¡VIDEOS DEL PROGRAMA!</translation>
    </message>
</context>
<context>
    <name>CqWndLoading</name>
    <message>
        <source>Loading</source>
        <translation>Cargando</translation>
    </message>
</context>
<context>
    <name>CqWndProduct</name>
    <message>
        <source>Store</source>
        <translation>Tienda</translation>
    </message>
    <message>
        <source>MY VIDEO STORE</source>
        <translation>MI TIENDA DE VIDEOS</translation>
    </message>
    <message>
        <source>WORKOUT ANYWHERE ANY DEVICE
Online - Offline</source>
        <translation>ENTRENE DONDE SEA, EN CUALQUIER DISPOSITIVO
Con conexión - Sin conexión</translation>
    </message>
    <message>
        <source>INDIVIDUAL VIDEOS</source>
        <translation>VIDEOS INDIVIDUALES</translation>
    </message>
    <message>
        <source>COMPLETE PROGRAMS</source>
        <translation>PROGRAMAS COMPLETOS</translation>
    </message>
    <message>
        <source>NUTRITION PRODUCTS</source>
        <translation>PRODUCTOS DE NUTRICIÓN</translation>
    </message>
    <message>
        <source>NUTRITION
PRODUCTS</source>
        <translation>PRODUCTOS DE
NUTRICIÓN</translation>
    </message>
    <message>
        <source>DIETTTIAN DESIGNED NUTRITION</source>
        <translation>NUTRICIÓN DISEÑADA POR DIETISTAS</translation>
    </message>
    <message>
        <source>For weight loss, fitness, diabetes, meat eaters, vegetarian, gluten, diary and food sensitivities.</source>
        <translation>Para bajar de peso, ponerse en forma, diabetes, dietas con carne o vegetarianas, y sensibilidad al gluten, a los lácteos y a otros alimentos.</translation>
    </message>
    <message>
        <source>NUTRITION VIDEOS</source>
        <translation>VIDEOS DE NUTRICIÓN</translation>
    </message>
    <message>
        <source>COACHING SERVICES</source>
        <translation>SERVICIOS DE ASESORÍA</translation>
    </message>
    <message>
        <source>ONE-ON-ONE HEALTH COACHING</source>
        <translation>ASESORÍA DE SALUD PERSONALIZADA</translation>
    </message>
    <message>
        <source>Get one-on-one personalized health coaching, Let us help you maxmize your results.</source>
        <translation>Reciba asesoría de salud personalizada. Permítanos ayudarle a aprovechar al máximo sus resultados.</translation>
    </message>
    <message>
        <source>COACHING PRODUCTS</source>
        <translation>PRODUCTOS DE ASESORÍA</translation>
    </message>
    <message>
        <source>COACHING VIDEOS</source>
        <translation>VIDEOS DE ASESORÍA</translation>
    </message>
    <message>
        <source>This is not available in Desktop.
 Use mobile version for this function.</source>
        <translation>Esta función no está disponible en el escritorio.
 Use la versión móvil para esta función.</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>MY LIBRARY</source>
        <translation>MI BIBLIOTECA</translation>
    </message>
    <message>
        <source>VIEW CART</source>
        <translation>VER CARRITO</translation>
    </message>
    <message>
        <source>CONTACT COACH</source>
        <translation>CONTACTAR AL ASESOR</translation>
    </message>
    <message>
        <source>SEARCH</source>
        <translation>BUSCAR</translation>
    </message>
</context>
<context>
    <name>CqWndService</name>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Live services sections</source>
        <translation>Secciones de servicios en vivo</translation>
    </message>
    <message>
        <source>MY LIVE STORE</source>
        <translation>MI TIENDA EN VIVO</translation>
    </message>
    <message>
        <source>MY LIVE PURCHASE</source>
        <translation>MIS COMPRAS EN VIVO</translation>
    </message>
    <message>
        <source>VIEW CART</source>
        <translation>VER CARRITO</translation>
    </message>
    <message>
        <source>CONTACT COACH</source>
        <translation>CONTACTAR AL ASESOR</translation>
    </message>
    <message>
        <source>TELEHEALTH</source>
        <translation>TELESALUD</translation>
    </message>
    <message>
        <source>Service types</source>
        <translation>Tipos de servicio</translation>
    </message>
    <message>
        <source>LIVE FITNESS</source>
        <translation>ENTRENAMIENTO EN VIVO</translation>
    </message>
    <message>
        <source>LIVE NUTRITION</source>
        <translation>NUTRICIÓN EN VIVO</translation>
    </message>
    <message>
        <source>This is not available in Desktop.
 Use mobile version for this function.</source>
        <translation>Esta función no está disponible en el escritorio.
 Use la versión móvil para esta función.</translation>
    </message>
    <message>
        <source>Live Services</source>
        <translation>Servicios en vivo</translation>
    </message>
</context>
<context>
    <name>CqWndServiceItem</name>
    <message>
        <source>ARE YOU SURE?
CART CHANGE</source>
        <translation>¿ESTÁ SEGURO?
CAMBIO DEL CARRITO</translation>
    </message>
    <message>
        <source>The cart is being updated. The checkout starts once it is.</source>
        <translation>El carrito se está actualizando. El pago comenzará en cuanto termine.</translation>
    </message>
    <message>
        <source>The services could not be loaded. Check your connection and try again. Return to this tab to try again.</source>
        <translation>No se pudieron cargar los servicios. Revise su conexión e inténtelo de nuevo. Vuelva a esta pestaña para intentarlo otra vez.</translation>
    </message>
    <message>
        <source>The appointment could not be completed. Try again.</source>
        <translation>No se pudo finalizar la cita. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The service could not be removed from the cart. Try again.</source>
        <translation>No se pudo quitar el servicio del carrito. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Details of %1</source>
        <translation>Detalles de %1</translation>
    </message>
    <message>
        <source>Picture of %1</source>
        <translation>Imagen de %1</translation>
    </message>
    <message>
        <source>PRICE - $%1</source>
        <translation>PRECIO - $%1</translation>
    </message>
    <message>
        <source>QUANTITY</source>
        <translation>CANTIDAD</translation>
    </message>
    <message>
        <source>Remove %1 from the cart</source>
        <translation>Quitar %1 del carrito</translation>
    </message>
    <message>
        <source>Product Details</source>
        <translation>Detalles del producto</translation>
    </message>
    <message>
        <source>SCHEDULE</source>
        <translation>PROGRAMAR</translation>
    </message>
    <message>
        <source>APPOINT</source>
        <translation>CITA</translation>
    </message>
    <message>
        <source>SUBTOTAL $%1</source>
        <translation>SUBTOTAL $%1</translation>
    </message>
    <message>
        <source>CHECKOUT NOW</source>
        <translation>PAGAR AHORA</translation>
    </message>
    <message>
        <source>Services</source>
        <translation>Servicios</translation>
    </message>
</context>
<context>
    <name>CqWndSetting</name>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Total Calories</source>
        <translation>Calorías totales</translation>
    </message>
    <message>
        <source>Food Tracking History</source>
        <translation>Historial de comidas registradas</translation>
    </message>
    <message>
        <source>Contact Coach</source>
        <translation>Contactar al asesor</translation>
    </message>
    <message>
        <source>Terms of Service and Privacy Policy</source>
        <translation>Términos del servicio y política de privacidad</translation>
    </message>
    <message>
        <source>LogOut</source>
        <translation>Cerrar sesión</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>The language changes the next time the program starts.</source>
        <translation>El idioma cambiará la próxima vez que se inicie el programa.</translation>
    </message>
    <message>
        <source>System language</source>
        <translation>Idioma del sistema</translation>
    </message>
    <message>
        <source>This is not available in Desktop.
 Use mobile version for this function.</source>
        <translation>Esta función no está disponible en el escritorio.
 Use la versión móvil para esta función.</translation>
    </message>
</context>
<context>
    <name>CqWndTotalCalories</name>
    <message>
        <source>Enter the total daily calories you want to track. You can change it at anytime. You can also chat with a free nutritionist for help.</source>
        <translation>Ingrese las calorías diarias totales que desea registrar. Puede cambiarlas en cualquier momento. También puede conversar con un nutricionista gratuito para recibir ayuda.</translation>
    </message>
    <message>
        <source>Total daily calories</source>
        <translation>Calorías diarias totales</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>SET</source>
        <translation>ESTABLECER</translation>
    </message>
    <message>
        <source>UPDATE</source>
        <translation>ACTUALIZAR</translation>
    </message>
    <message>
        <source>Endter your total calories</source>
        <translation>Ingrese sus calorías totales</translation>
    </message>
    <message>
        <source>Total Calories</source>
        <translation>Calorías totales</translation>
    </message>
</context>
<context>
    <name>CqWndTracker</name>
    <message>
        <source>Search foods</source>
        <translation>Buscar alimentos</translation>
    </message>
    <message>
        <source>Copy a meal</source>
        <translation>Copiar una comida</translation>
    </message>
    <message>
        <source>Changes to this meal are not saved yet.</source>
        <translation>Los cambios de esta comida aún no se guardaron.</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Guardar</translation>
    </message>
    <message>
        <source>Save the meal</source>
        <translation>Guardar la comida</translation>
    </message>
    <message>
        <source>Save (Ctrl+S)</source>
        <translation>Guardar (Ctrl+S)</translation>
    </message>
    <message>
        <source>Carbs</source>
        <translation>Carbohidratos</translation>
    </message>
    <message>
        <source>Fat</source>
        <translation>Grasas</translation>
    </message>
    <message>
        <source>Protein</source>
        <translation>Proteínas</translation>
    </message>
    <message>
        <source>Fiber</source>
        <translation>Fibra</translation>
    </message>
    <message>
        <source>Calories of the open category</source>
        <translation>Calorías de la categoría abierta</translation>
    </message>
    <message>
        <source>Food Name</source>
        <translation>Nombre del alimento</translation>
    </message>
    <message>
        <source>cal / 1cup</source>
        <extracomment>Short for the calories in one cup of the food</extracomment>
        <translation>cal / 1 taza</translation>
    </message>
    <message>
        <source>Calories of one cup</source>
        <translation>Calorías de una taza</translation>
    </message>
    <message>
        <source>other cal</source>
        <extracomment>Short for calories of another amount</extracomment>
        <translation>otras cal</translation>
    </message>
    <message>
        <source>Other calories</source>
        <translation>Otras calorías</translation>
    </message>
    <message>
        <source>carbs / 1cup</source>
        <translation>carbohidratos / 1 taza</translation>
    </message>
    <message>
        <source>Carbs of one cup</source>
        <translation>Carbohidratos de una taza</translation>
    </message>
    <message>
        <source>fat / 1cup</source>
        <translation>grasas / 1 taza</translation>
    </message>
    <message>
        <source>Fat of one cup</source>
        <translation>Grasas de una taza</translation>
    </message>
    <message>
        <source>protein/ 1cup</source>
        <translation>proteínas / 1 taza</translation>
    </message>
    <message>
        <source>Protein of one cup</source>
        <translation>Proteínas de una taza</translation>
    </message>
    <message>
        <source>fiber/ 1cup</source>
        <translation>fibra / 1 taza</translation>
    </message>
    <message>
        <source>Fiber of one cup</source>
        <translation>Fibra de una taza</translation>
    </message>
    <message>
        <source>Add Food to list</source>
        <translation>Agregar alimento a la lista</translation>
    </message>
    <message>
        <source>Assigned WGS = 1/2 cup
%1</source>
        <extracomment>Caption of the food names&apos; column, on two lines; %1 is the food category</extracomment>
        <translation>WGS asignado = 1/2 taza
%1</translation>
    </message>
    <message>
        <source>The food list could not be loaded. Check your connection and open the meal again.</source>
        <translation>No se pudo cargar la lista de alimentos. Revise su conexión y vuelva a abrir la comida.</translation>
    </message>
    <message>
        <source>“%1” was added after all.</source>
        <extracomment>%1 is a food the member added to the food list</extracomment>
        <translation>“%1” se agregó de todos modos.</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Sample meals</source>
        <translation>Comidas de ejemplo</translation>
    </message>
    <message>
        <source>TOTAL ASSIGNED CALORIES</source>
        <translation>CALORÍAS TOTALES ASIGNADAS</translation>
    </message>
    <message>
        <source>Total assigned calories</source>
        <translation>Calorías totales asignadas</translation>
    </message>
    <message>
        <source>REMAINING DAILY CALORIES</source>
        <translation>CALORÍAS DIARIAS RESTANTES</translation>
    </message>
    <message>
        <source>Remaining daily calories</source>
        <translation>Calorías diarias restantes</translation>
    </message>
    <message>
        <source>EXERCISE CALORIES BURNED</source>
        <translation>CALORÍAS QUEMADAS CON EJERCICIO</translation>
    </message>
    <message>
        <source>Exercise calories burned</source>
        <translation>Calorías quemadas con ejercicio</translation>
    </message>
    <message>
        <source>REMAINING WITH EXERCISE</source>
        <translation>RESTANTES CON EJERCICIO</translation>
    </message>
    <message>
        <source>Remaining calories with exercise</source>
        <translation>Calorías restantes con ejercicio</translation>
    </message>
    <message>
        <source>Foods</source>
        <translation>Alimentos</translation>
    </message>
    <message>
        <source>Right-click or press Delete to remove the category from the meal</source>
        <translation>Haga clic derecho o presione Supr para quitar la categoría de la comida</translation>
    </message>
    <message>
        <source>You didn’t put in all values for carb, fat, protein and fiber. If you proceed, your total daily calories will be correct, but your total daily carb, fat, protein and fiber will be incorrect. </source>
        <translation>No ingresó todos los valores de carbohidratos, grasas, proteínas y fibra. Si continúa, sus calorías diarias totales serán correctas, pero sus totales diarios de carbohidratos, grasas, proteínas y fibra no lo serán. </translation>
    </message>
    <message>
        <source>Uload failed</source>
        <translation>No se pudo subir el alimento</translation>
    </message>
    <message>
        <source>%1 holds no food the food list still has.</source>
        <extracomment>%1 names the meal copied from (&quot;Yesterday&apos;s Breakfast&quot;)</extracomment>
        <translation>%1 no tiene ningún alimento que siga en la lista de alimentos.</translation>
    </message>
    <message>
        <source>This meal now holds %1.</source>
        <extracomment>%1 names the meal copied from (&quot;Yesterday&apos;s Breakfast&quot;)</extracomment>
        <translation>Esta comida ahora contiene %1.</translation>
    </message>
    <message>
        <source>%1 added to this meal.</source>
        <extracomment>%1 names the meal copied from (&quot;Yesterday&apos;s Breakfast&quot;)</extracomment>
        <translation>%1 se agregó a esta comida.</translation>
    </message>
    <message numerus="yes">
        <source>%n food(s) of categories no longer listed stayed behind.</source>
        <translation>
            <numerusform>%n alimento de categorías que ya no están en la lista se quedó fuera.</numerusform>
            <numerusform>%n alimentos de categorías que ya no están en la lista se quedaron fuera.</numerusform>
        </translation>
    </message>
    <message>
        <source>Your choices that were not saved yet were saved with it.</source>
        <translation>Sus elecciones que aún no estaban guardadas se guardaron con ella.</translation>
    </message>
    <message>
        <source>A new day has begun, so your unsaved choices for %1 were not saved.</source>
        <translation>Comenzó un nuevo día, así que sus elecciones sin guardar de %1 no se guardaron.</translation>
    </message>
    <message>
        <source>A new day began before you confirmed, so nothing was removed: “%1” stays in yesterday&apos;s %2, and today&apos;s meal is unchanged.</source>
        <translation>Comenzó un nuevo día antes de que confirmara, así que no se quitó nada: “%1” sigue en %2 de ayer y la comida de hoy no cambió.</translation>
    </message>
    <message>
        <source>Your %1 has choices that are not saved yet. Replacing it with %2 leaves them out.</source>
        <translation>%1 tiene elecciones que aún no se guardaron. Si la reemplaza por %2, se perderán.</translation>
    </message>
    <message>
        <source>A new day has begun, so nothing was copied. Open “Copy a meal” again to copy into today&apos;s %1.</source>
        <translation>Comenzó un nuevo día, así que no se copió nada. Vuelva a abrir “Copiar una comida” para copiar en %1 de hoy.</translation>
    </message>
    <message>
        <source>Food Tracker</source>
        <translation>Registro de comidas</translation>
    </message>
</context>
<context>
    <name>CqWndVideoDownLoad</name>
    <message>
        <source>VIDEO DOWNLOADING %p%</source>
        <translation>DESCARGANDO VIDEO %p%</translation>
    </message>
    <message>
        <source>Download progress</source>
        <translation>Progreso de la descarga</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Report again</source>
        <translation>Informar de nuevo</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>the service does not answer</source>
        <translation>el servicio no responde</translation>
    </message>
    <message>
        <source>This video has no download address.</source>
        <translation>Este video no tiene dirección de descarga.</translation>
    </message>
    <message>
        <source>the service cannot be reached</source>
        <translation>no se puede conectar con el servicio</translation>
    </message>
    <message>
        <source>the service&apos;s answer could not be read</source>
        <translation>no se pudo leer la respuesta del servicio</translation>
    </message>
    <message>
        <source>the service refused it</source>
        <translation>el servicio lo rechazó</translation>
    </message>
    <message>
        <source>The video is downloaded, but it could not be added to your library (%1). Report it again or close this window.</source>
        <translation>El video se descargó, pero no se pudo agregar a su biblioteca (%1). Vuelva a informarlo o cierre esta ventana.</translation>
    </message>
    <message>
        <source>The download failed: %1. The part already downloaded is kept; Retry continues from there.</source>
        <translation>La descarga falló: %1. Se conserva la parte ya descargada; Reintentar continúa desde ahí.</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>error desconocido</translation>
    </message>
    <message>
        <source>The video is still downloading. Pause it first to close this window.</source>
        <translation>El video aún se está descargando. Páuselo antes de cerrar esta ventana.</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>PAUSED %p%</source>
        <translation>EN PAUSA %p%</translation>
    </message>
    <message>
        <source>Paused.</source>
        <translation>En pausa.</translation>
    </message>
    <message>
        <source>Video Download</source>
        <translation>Descarga de video</translation>
    </message>
</context>
<context>
    <name>CqWndVideoPlay</name>
    <message>
        <source>OLVA PLAYER</source>
        <translation>REPRODUCTOR OLVA</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Posición</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>The video file is missing. Download the video again.</source>
        <translation>Falta el archivo del video. Vuelva a descargar el video.</translation>
    </message>
    <message>
        <source>This video cannot be played.</source>
        <translation>Este video no se puede reproducir.</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
    <message>
        <source>Log this workout as exercise</source>
        <translation>Registrar este entrenamiento como ejercicio</translation>
    </message>
    <message>
        <source>I did this workout</source>
        <translation>Hice este entrenamiento</translation>
    </message>
</context>
<context>
    <name>CqWndWeight</name>
    <message>
        <source>My Weight</source>
        <translation>Mi peso</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>Import CSV…</source>
        <translation>Importar CSV…</translation>
    </message>
    <message>
        <source>Import CSV</source>
        <translation>Importar CSV</translation>
    </message>
    <message>
        <source>Read weights from a CSV file</source>
        <translation>Leer pesos de un archivo CSV</translation>
    </message>
    <message>
        <source>Export CSV…</source>
        <translation>Exportar CSV…</translation>
    </message>
    <message>
        <source>Export CSV</source>
        <translation>Exportar CSV</translation>
    </message>
    <message>
        <source>Save your weights to a CSV file</source>
        <translation>Guardar sus pesos en un archivo CSV</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Today&apos;s weight</source>
        <translation>Peso de hoy</translation>
    </message>
    <message>
        <source>Date of the weighing</source>
        <translation>Fecha del pesaje</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Peso</translation>
    </message>
    <message>
        <source>e.g. 81.4</source>
        <translation>p. ej., 81,4</translation>
    </message>
    <message>
        <source>kg</source>
        <translation>kg</translation>
    </message>
    <message>
        <source>Kilograms</source>
        <translation>Kilogramos</translation>
    </message>
    <message>
        <source>Show and enter weights in kilograms</source>
        <translation>Mostrar e ingresar los pesos en kilogramos</translation>
    </message>
    <message>
        <source>lb</source>
        <translation>lb</translation>
    </message>
    <message>
        <source>Pounds</source>
        <translation>Libras</translation>
    </message>
    <message>
        <source>Show and enter weights in pounds</source>
        <translation>Mostrar e ingresar los pesos en libras</translation>
    </message>
    <message>
        <source>Save weight</source>
        <translation>Guardar peso</translation>
    </message>
    <message>
        <source>Goal and height</source>
        <translation>Meta y estatura</translation>
    </message>
    <message>
        <source>Goal</source>
        <translation>Meta</translation>
    </message>
    <message>
        <source>Goal weight</source>
        <translation>Peso meta</translation>
    </message>
    <message>
        <source>none</source>
        <translation>ninguna</translation>
    </message>
    <message>
        <source>Height</source>
        <translation>Estatura</translation>
    </message>
    <message>
        <source>Height in centimetres</source>
        <translation>Estatura en centímetros</translation>
    </message>
    <message>
        <source>optional</source>
        <translation>opcional</translation>
    </message>
    <message>
        <source>cm</source>
        <translation>cm</translation>
    </message>
    <message>
        <source>Save goal</source>
        <translation>Guardar meta</translation>
    </message>
    <message>
        <source>Save goal and height</source>
        <translation>Guardar meta y estatura</translation>
    </message>
    <message>
        <source>Your weighings</source>
        <translation>Sus pesajes</translation>
    </message>
    <message>
        <source>Newest first. Edit or delete the chosen weighing.</source>
        <translation>Los más recientes primero. Edite o elimine el pesaje elegido.</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Editar</translation>
    </message>
    <message>
        <source>Edit the chosen weighing</source>
        <translation>Editar el pesaje elegido</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Eliminar</translation>
    </message>
    <message>
        <source>Delete the chosen weighing</source>
        <translation>Eliminar el pesaje elegido</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Mostrar</translation>
    </message>
    <message>
        <source>30 days</source>
        <translation>30 días</translation>
    </message>
    <message>
        <source>Show 30 days</source>
        <translation>Mostrar 30 días</translation>
    </message>
    <message>
        <source>90 days</source>
        <translation>90 días</translation>
    </message>
    <message>
        <source>Show 90 days</source>
        <translation>Mostrar 90 días</translation>
    </message>
    <message>
        <source>1 year</source>
        <translation>1 año</translation>
    </message>
    <message>
        <source>Show one year</source>
        <translation>Mostrar un año</translation>
    </message>
    <message>
        <source>All</source>
        <translation>Todo</translation>
    </message>
    <message>
        <source>Show all weighings</source>
        <translation>Mostrar todos los pesajes</translation>
    </message>
    <message>
        <source>No weighings yet</source>
        <translation>Aún no hay pesajes</translation>
    </message>
    <message>
        <source>Your trend weight: the day-to-day swings smoothed out</source>
        <translation>Su peso de tendencia: sin las variaciones de un día a otro</translation>
    </message>
    <message>
        <source>Goal weight in pounds</source>
        <translation>Peso meta en libras</translation>
    </message>
    <message>
        <source>Goal weight in kilograms</source>
        <translation>Peso meta en kilogramos</translation>
    </message>
    <message numerus="yes">
        <source>%n changes waiting to be sent</source>
        <translation>
            <numerusform>%n cambio pendiente de envío</numerusform>
            <numerusform>%n cambios pendientes de envío</numerusform>
        </translation>
    </message>
    <message>
        <source>Weight in pounds</source>
        <translation>Peso en libras</translation>
    </message>
    <message>
        <source>Weight in kilograms</source>
        <translation>Peso en kilogramos</translation>
    </message>
    <message>
        <source>Enter a goal between %1 and %2.</source>
        <translation>Ingrese una meta entre %1 y %2.</translation>
    </message>
    <message>
        <source>Enter a weight between %1 and %2.</source>
        <translation>Ingrese un peso entre %1 y %2.</translation>
    </message>
    <message>
        <source>Choose a day no later than tomorrow.</source>
        <translation>Elija un día que no sea posterior a mañana.</translation>
    </message>
    <message>
        <source>Delete weighing</source>
        <translation>Eliminar pesaje</translation>
    </message>
    <message>
        <source>Delete the weight of %1 (%2)?</source>
        <translation>¿Eliminar el peso del %1 (%2)?</translation>
    </message>
    <message>
        <source>Enter a height between %1 and %2 cm.</source>
        <translation>Ingrese una estatura entre %1 y %2 cm.</translation>
    </message>
    <message>
        <source>Nothing imported: %1 could not be read.</source>
        <translation>No se importó nada: no se pudo leer %1.</translation>
    </message>
    <message>
        <source>Nothing imported: the file is larger than a weight log can be.</source>
        <translation>No se importó nada: el archivo es más grande de lo que puede ser un registro de pesos.</translation>
    </message>
    <message>
        <source>Nothing imported: %1</source>
        <translation>No se importó nada: %1</translation>
    </message>
    <message numerus="yes">
        <source>Imported %n weighings.</source>
        <translation>
            <numerusform>Se importó %n pesaje.</numerusform>
            <numerusform>Se importaron %n pesajes.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Skipped %n rows:</source>
        <translation>
            <numerusform>Se omitió %n fila:</numerusform>
            <numerusform>Se omitieron %n filas:</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %n more.</source>
        <translation>
            <numerusform>y %n más.</numerusform>
            <numerusform>y %n más.</numerusform>
        </translation>
    </message>
    <message>
        <source>Export weights</source>
        <translation>Exportar pesos</translation>
    </message>
    <message>
        <source>Weights saved to %1</source>
        <translation>Pesos guardados en %1</translation>
    </message>
    <message>
        <source>The weights could not be saved.</source>
        <translation>No se pudieron guardar los pesos.</translation>
    </message>
    <message>
        <source>Import weights</source>
        <translation>Importar pesos</translation>
    </message>
    <message>
        <source>CSV files (*.csv *.txt)</source>
        <translation>Archivos CSV (*.csv *.txt)</translation>
    </message>
    <message>
        <source>All files (*)</source>
        <translation>Todos los archivos (*)</translation>
    </message>
</context>
<context>
    <name>CsvSaveDialog</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>DayStore</name>
    <message>
        <source>Food no longer listed (%1)</source>
        <extracomment>A food the member chose that the food list no longer has; %1 is its number</extracomment>
        <translation>Alimento que ya no está en la lista (%1)</translation>
    </message>
</context>
<context>
    <name>DesktopNotifier</name>
    <message>
        <source>Open</source>
        <translation>Abrir</translation>
    </message>
</context>
<context>
    <name>DownloadManagerHTTP</name>
    <message>
        <source>The server sent a different part of the file than asked for</source>
        <translation>El servidor envió una parte del archivo distinta de la solicitada</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>The server answered with status %1</source>
        <translation>El servidor respondió con el estado %1</translation>
    </message>
    <message>
        <source>The connection closed before the whole file arrived</source>
        <translation>La conexión se cerró antes de recibir el archivo completo</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2</source>
        <translation>No se puede mover %1 a %2</translation>
    </message>
    <message>
        <source>Network error %1</source>
        <translation>Error de red %1</translation>
    </message>
    <message>
        <source>No data from the server for %1 seconds</source>
        <translation>El servidor no envió datos durante %1 segundos</translation>
    </message>
</context>
<context>
    <name>FoodNumbers</name>
    <message>
        <source>Carbs=%1, Fat=%2, Protein=%3, Fiber=%4</source>
        <extracomment>Grams of each nutrient in the amount the cell stands for</extracomment>
        <translation>Carbohidratos=%1, Grasas=%2, Proteínas=%3, Fibra=%4</translation>
    </message>
</context>
<context>
    <name>FoodRequests</name>
    <message>
        <source>Please enter a Food Name.</source>
        <translation>Ingrese el nombre del alimento.</translation>
    </message>
    <message>
        <source>Please enter a Food Name of at most %1 characters.</source>
        <translation>Ingrese un nombre de alimento de %1 caracteres como máximo.</translation>
    </message>
    <message>
        <source>Please enter cal/1cup.</source>
        <translation>Ingrese las cal/1 taza.</translation>
    </message>
    <message>
        <source>cal/1cup</source>
        <extracomment>Names of the fields of a food&apos;s own amounts, as in &quot;a number up to 100,000 for cal/1cup&quot;</extracomment>
        <translation>cal/1 taza</translation>
    </message>
    <message>
        <source>carbs/1cup</source>
        <translation>carbohidratos/1 taza</translation>
    </message>
    <message>
        <source>fat/1cup</source>
        <translation>grasas/1 taza</translation>
    </message>
    <message>
        <source>protein/1cup</source>
        <translation>proteínas/1 taza</translation>
    </message>
    <message>
        <source>fiber/1cup</source>
        <translation>fibra/1 taza</translation>
    </message>
    <message>
        <source>Please enter a number up to %1 for %2.</source>
        <extracomment>%1 is the largest amount, %2 the field (&quot;cal/1cup&quot;)</extracomment>
        <translation>Ingrese un número de hasta %1 en %2.</translation>
    </message>
</context>
<context>
    <name>FoodTableModel</name>
    <message>
        <source>%1 (chosen)</source>
        <extracomment>Read out for a marked amount of a food: &quot;72.5 (chosen)&quot;</extracomment>
        <translation>%1 (elegido)</translation>
    </message>
    <message>
        <source>QTY
1/2cup
Cal</source>
        <extracomment>Column heading on three short lines: the calories of half a cup</extracomment>
        <translation>CANT.
1/2 taza
Cal</translation>
    </message>
    <message>
        <source>QTY
1cup
Cal</source>
        <extracomment>Column heading on three short lines: the calories of one cup</extracomment>
        <translation>CANT.
1 taza
Cal</translation>
    </message>
    <message>
        <source>QTY
Other
Cal</source>
        <extracomment>Column heading on three short lines: calories of an amount the member types</extracomment>
        <translation>CANT.
Otra
Cal</translation>
    </message>
</context>
<context>
    <name>HistoryChartView</name>
    <message>
        <source>Weekly averages</source>
        <translation>Promedios semanales</translation>
    </message>
    <message>
        <source>Monthly averages</source>
        <translation>Promedios mensuales</translation>
    </message>
    <message>
        <source>Quarterly averages</source>
        <translation>Promedios trimestrales</translation>
    </message>
    <message>
        <source>Yearly averages</source>
        <translation>Promedios anuales</translation>
    </message>
    <message>
        <source>Daily calories and score</source>
        <translation>Calorías y puntuación diarias</translation>
    </message>
    <message>
        <source>Calories and score over time</source>
        <translation>Calorías y puntuación a lo largo del tiempo</translation>
    </message>
    <message>
        <source>Eaten</source>
        <extracomment>The figures of the history chart: calories eaten, the day&apos;s target, the planner&apos;s score, exercise calories.</extracomment>
        <translation>Consumidas</translation>
    </message>
    <message>
        <source>Target</source>
        <translation>Objetivo</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Puntuación</translation>
    </message>
    <message>
        <source>Exercise</source>
        <translation>Ejercicio</translation>
    </message>
    <message>
        <source>Calories</source>
        <translation>Calorías</translation>
    </message>
    <message>
        <source>%1, %2 to %3</source>
        <extracomment>The chart&apos;s caption, then the first and the last day or period it shows.</extracomment>
        <translation>%1, del %2 al %3</translation>
    </message>
</context>
<context>
    <name>HistoryListModel</name>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>Opens the day&apos;s details</source>
        <translation>Abre los detalles del día</translation>
    </message>
    <message>
        <source>Exercise %1 kcal</source>
        <translation>Ejercicio: %1 kcal</translation>
    </message>
</context>
<context>
    <name>HistoryModel</name>
    <message>
        <source>MMMM dd yyyy</source>
        <extracomment>Date pattern of the history (QDate::toString); month names come from the language: &quot;8 dic 2026&quot;.</extracomment>
        <translation>d MMM yyyy</translation>
    </message>
</context>
<context>
    <name>HistoryTrend</name>
    <message>
        <source>yyyy</source>
        <extracomment>Date patterns of the history chart&apos;s time axis (QDate::toString), by day or week, by month, by year.</extracomment>
        <translation>yyyy</translation>
    </message>
    <message>
        <source>MMM dd yyyy</source>
        <translation>d MMM yyyy</translation>
    </message>
    <message>
        <source>MMM yyyy</source>
        <translation>MMM yyyy</translation>
    </message>
</context>
<context>
    <name>LibraryRules</name>
    <message>
        <source>PLAY</source>
        <translation>REPRODUCIR</translation>
    </message>
    <message>
        <source>PROGRAM VIDEOS</source>
        <translation>VIDEOS DEL PROGRAMA</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Leer</translation>
    </message>
</context>
<context>
    <name>ListStatus</name>
    <message>
        <source>Loading...</source>
        <translation>Cargando...</translation>
    </message>
</context>
<context>
    <name>LocaleFormats</name>
    <message>
        <source>d MMM yyyy</source>
        <extracomment>Date pattern of lists and charts (QDate::toString); month names come from the language: &quot;8 dic 2026&quot;.</extracomment>
        <translation>d MMM yyyy</translation>
    </message>
    <message>
        <source>d MMMM yyyy</source>
        <extracomment>Date pattern inside sentences (QDate::toString): &quot;8 de diciembre de 2026&quot;.</extracomment>
        <translation>d &apos;de&apos; MMMM &apos;de&apos; yyyy</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>OLVA WEIGHT LOSS</source>
        <translation>OLVA WEIGHT LOSS</translation>
    </message>
    <message>
        <source>Hi, Member</source>
        <translation>Hola, miembro</translation>
    </message>
    <message>
        <source>Welcome to OLVA Weight Loss Program</source>
        <translation>Bienvenido al programa OLVA Weight Loss</translation>
    </message>
    <message>
        <source>Workout videos</source>
        <translation>Videos de ejercicio</translation>
    </message>
    <message>
        <source>WORKOUT 
VIDEOS</source>
        <translation>VIDEOS DE 
EJERCICIO</translation>
    </message>
    <message>
        <source>Free coaching</source>
        <translation>Asesoría gratuita</translation>
    </message>
    <message>
        <source>FREE 
COACHING</source>
        <translation>ASESORÍA 
GRATUITA</translation>
    </message>
    <message>
        <source>Food tracker</source>
        <translation>Registro de comidas</translation>
    </message>
    <message>
        <source>FOOD  
TRACKER</source>
        <translation>REGISTRO DE  
COMIDAS</translation>
    </message>
    <message>
        <source>Telehealth</source>
        <translation>Telesalud</translation>
    </message>
    <message>
        <source>TELE 
HEALTH</source>
        <translation>TELE 
SALUD</translation>
    </message>
    <message>
        <source>Free nutritionist</source>
        <translation>Nutricionista gratuito</translation>
    </message>
    <message>
        <source>FREE  
NUTRITIONIST</source>
        <translation>NUTRICIONISTA  
GRATUITO</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Más</translation>
    </message>
    <message>
        <source>1+</source>
        <translation>1+</translation>
    </message>
    <message>
        <source>MORE</source>
        <translation>MÁS</translation>
    </message>
    <message>
        <source>My weight</source>
        <translation>Mi peso</translation>
    </message>
    <message>
        <source>Your weight log: trend, goal and chart</source>
        <translation>Su registro de peso: tendencia, meta y gráfico</translation>
    </message>
    <message>
        <source>MY WEIGHT</source>
        <translation>MI PESO</translation>
    </message>
    <message>
        <source>About Us</source>
        <translation>Quiénes somos</translation>
    </message>
    <message>
        <source>Contact Us</source>
        <translation>Contáctenos</translation>
    </message>
    <message>
        <source>My Friends</source>
        <translation>Mis amigos</translation>
    </message>
    <message>
        <source>My Invites</source>
        <translation>Mis invitaciones</translation>
    </message>
    <message>
        <source>Special offer video</source>
        <translation>Video de la oferta especial</translation>
    </message>
    <message>
        <source>Special offers</source>
        <translation>Ofertas especiales</translation>
    </message>
    <message>
        <source>More special offers</source>
        <translation>Más ofertas especiales</translation>
    </message>
    <message>
        <source>Hi, %1</source>
        <translation>Hola, %1</translation>
    </message>
    <message>
        <source>My exercise</source>
        <translation>Mi ejercicio</translation>
    </message>
    <message>
        <source>Log today&apos;s activities and see what they burn</source>
        <translation>Registre las actividades de hoy y vea cuánto queman</translation>
    </message>
    <message>
        <source>MY EXERCISE</source>
        <translation>MI EJERCICIO</translation>
    </message>
</context>
<context>
    <name>Meals</name>
    <message>
        <source>Breakfast</source>
        <extracomment>The first meal of the day</extracomment>
        <translation>Desayuno</translation>
    </message>
    <message>
        <source>Create &amp; Track Breakfast</source>
        <extracomment>Title of the window in which the member builds the meal</extracomment>
        <translation>Crear y registrar el desayuno</translation>
    </message>
    <message>
        <source>TOTAL BREAKFAST CALORIES</source>
        <translation>CALORÍAS TOTALES DEL DESAYUNO</translation>
    </message>
    <message>
        <source>Total Breakfast Calories</source>
        <translation>Calorías totales del desayuno</translation>
    </message>
    <message>
        <source>Sample Breakfast</source>
        <extracomment>Title of the list of sample breakfasts</extracomment>
        <translation>Desayunos de ejemplo</translation>
    </message>
    <message>
        <source>First Snack</source>
        <extracomment>The small meal between breakfast and lunch</extracomment>
        <translation>Primer refrigerio</translation>
    </message>
    <message>
        <source>Create &amp; Track FirstSnack</source>
        <translation>Crear y registrar el primer refrigerio</translation>
    </message>
    <message>
        <source>TOTAL FIRSTSNACK CALORIES</source>
        <translation>CALORÍAS TOTALES DEL PRIMER REFRIGERIO</translation>
    </message>
    <message>
        <source>Total First Snack Calories</source>
        <translation>Calorías totales del primer refrigerio</translation>
    </message>
    <message>
        <source>Sample FirstSnack</source>
        <translation>Primeros refrigerios de ejemplo</translation>
    </message>
    <message>
        <source>Lunch</source>
        <extracomment>The midday meal</extracomment>
        <translation>Almuerzo</translation>
    </message>
    <message>
        <source>Create &amp; Track Lunch</source>
        <translation>Crear y registrar el almuerzo</translation>
    </message>
    <message>
        <source>TOTAL LUNCH CALORIES</source>
        <translation>CALORÍAS TOTALES DEL ALMUERZO</translation>
    </message>
    <message>
        <source>Total Lunch Calories</source>
        <translation>Calorías totales del almuerzo</translation>
    </message>
    <message>
        <source>Sample Lunch</source>
        <translation>Almuerzos de ejemplo</translation>
    </message>
    <message>
        <source>Second Snack</source>
        <extracomment>The small meal between lunch and dinner</extracomment>
        <translation>Segundo refrigerio</translation>
    </message>
    <message>
        <source>Create &amp; Track SecondSnack</source>
        <translation>Crear y registrar el segundo refrigerio</translation>
    </message>
    <message>
        <source>TOTAL SECONDSNACK CALORIES</source>
        <translation>CALORÍAS TOTALES DEL SEGUNDO REFRIGERIO</translation>
    </message>
    <message>
        <source>Total Second Snack Calories</source>
        <translation>Calorías totales del segundo refrigerio</translation>
    </message>
    <message>
        <source>Sample SecondSnack</source>
        <translation>Segundos refrigerios de ejemplo</translation>
    </message>
    <message>
        <source>Dinner</source>
        <extracomment>The evening meal</extracomment>
        <translation>Cena</translation>
    </message>
    <message>
        <source>Create &amp; Track Dinner</source>
        <translation>Crear y registrar la cena</translation>
    </message>
    <message>
        <source>TOTAL DINNER CALORIES</source>
        <translation>CALORÍAS TOTALES DE LA CENA</translation>
    </message>
    <message>
        <source>Total Dinner Calories</source>
        <translation>Calorías totales de la cena</translation>
    </message>
    <message>
        <source>Sample Dinner</source>
        <translation>Cenas de ejemplo</translation>
    </message>
    <message>
        <source>Third Snack</source>
        <extracomment>The small meal after dinner</extracomment>
        <translation>Tercer refrigerio</translation>
    </message>
    <message>
        <source>Create &amp; Track ThirdSnack</source>
        <translation>Crear y registrar el tercer refrigerio</translation>
    </message>
    <message>
        <source>TOTAL THIRDSNACK CALORIES</source>
        <translation>CALORÍAS TOTALES DEL TERCER REFRIGERIO</translation>
    </message>
    <message>
        <source>Total Third Snack Calories</source>
        <translation>Calorías totales del tercer refrigerio</translation>
    </message>
    <message>
        <source>Sample ThirdSnack</source>
        <translation>Terceros refrigerios de ejemplo</translation>
    </message>
</context>
<context>
    <name>PaymentKeeper</name>
    <message>
        <source>Your card was charged $%1 for these items. Changing the cart refunds that payment and you pay again for what stays.</source>
        <translation>Se cobraron $%1 en su tarjeta por estos artículos. Si cambia el carrito, se reembolsa ese pago y vuelve a pagar por lo que quede.</translation>
    </message>
</context>
<context>
    <name>QuickEntryPanel</name>
    <message>
        <source>Clear search</source>
        <translation>Borrar la búsqueda</translation>
    </message>
    <message>
        <source>Search results</source>
        <translation>Resultados de la búsqueda</translation>
    </message>
    <message>
        <source>↑↓ move, Enter chooses half a cup, Shift+Enter a cup, Ctrl+S saves, Esc clears.</source>
        <extracomment>Keys of the search list, named as the member&apos;s keyboard prints them</extracomment>
        <translation>↑↓ mueven, Intro elige media taza, Mayús+Intro una taza, Ctrl+S guarda, Esc borra.</translation>
    </message>
    <message>
        <source>Recent foods</source>
        <translation>Alimentos recientes</translation>
    </message>
    <message>
        <source>Type part of a food&apos;s name to find it in every category.</source>
        <translation>Escriba parte del nombre de un alimento para buscarlo en todas las categorías.</translation>
    </message>
    <message>
        <source>Recently at %1; “Last time” adds the same amount. %2</source>
        <translation>Recientes en %1; “Última vez” agrega la misma cantidad. %2</translation>
    </message>
    <message>
        <source>No food matches “%1”.</source>
        <translation>Ningún alimento coincide con “%1”.</translation>
    </message>
    <message numerus="yes">
        <source>The first %n foods found. %1</source>
        <extracomment>%1 is the keys of the list</extracomment>
        <translation>
            <numerusform>Se encontró el primer alimento. %1</numerusform>
            <numerusform>Los primeros %n alimentos encontrados. %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n foods found. %1</source>
        <extracomment>%1 is the keys of the list</extracomment>
        <translation>
            <numerusform>Se encontró %n alimento. %1</numerusform>
            <numerusform>Se encontraron %n alimentos. %1</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: not chosen.</source>
        <translation>%1: sin elegir.</translation>
    </message>
    <message>
        <source>%1: %2 chosen. Ctrl+S saves.</source>
        <extracomment>%1 is the food, %2 the amount (&quot;½ cup&quot;, &quot;72.5 cal&quot;)</extracomment>
        <translation>%1: %2 elegido. Ctrl+S guarda.</translation>
    </message>
</context>
<context>
    <name>ReminderCentre</name>
    <message>
        <source>OLVA Weight Loss</source>
        <translation>OLVA Weight Loss</translation>
    </message>
    <message>
        <source>Open tracker</source>
        <translation>Abrir el registro de comidas</translation>
    </message>
    <message>
        <source>Log weight</source>
        <translation>Registrar peso</translation>
    </message>
    <message>
        <source>Log exercise</source>
        <translation>Registrar ejercicio</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
    <message>
        <source>Your download has finished</source>
        <translation>Su descarga ha terminado</translation>
    </message>
    <message>
        <source>Reminders</source>
        <translation>Recordatorios</translation>
    </message>
    <message>
        <source>Would you like a reminder to log your meals and to weigh in? You can change them in Settings at any time.</source>
        <translation>¿Quiere recordatorios para registrar sus comidas y pesarse? Puede cambiarlos en Configuración en cualquier momento.</translation>
    </message>
    <message>
        <source>Set up reminders</source>
        <translation>Configurar recordatorios</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Ahora no</translation>
    </message>
</context>
<context>
    <name>ReminderKind</name>
    <message>
        <source>Log your breakfast</source>
        <translation>Registre su desayuno</translation>
    </message>
    <message>
        <source>Log your lunch</source>
        <translation>Registre su almuerzo</translation>
    </message>
    <message>
        <source>Log your dinner</source>
        <translation>Registre su cena</translation>
    </message>
    <message>
        <source>Weigh in</source>
        <translation>Pésese</translation>
    </message>
</context>
<context>
    <name>SearchResultsModel</name>
    <message>
        <source>½ cup</source>
        <translation>½ taza</translation>
    </message>
    <message>
        <source>1 cup</source>
        <translation>1 taza</translation>
    </message>
    <message>
        <source>%1 cal</source>
        <extracomment>A typed amount of calories: &quot;72.5 cal&quot;</extracomment>
        <translation>%1 cal</translation>
    </message>
    <message>
        <source>Add as last time: %1</source>
        <translation>Agregar como la última vez: %1</translation>
    </message>
    <message>
        <source>Choose it as last time</source>
        <translation>Elegirlo como la última vez</translation>
    </message>
    <message>
        <source>Food</source>
        <translation>Alimento</translation>
    </message>
    <message>
        <source>Category</source>
        <translation>Categoría</translation>
    </message>
    <message>
        <source>½ cup cal</source>
        <extracomment>Column heading: calories of half a cup</extracomment>
        <translation>cal ½ taza</translation>
    </message>
    <message>
        <source>1 cup cal</source>
        <extracomment>Column heading: calories of one cup</extracomment>
        <translation>cal 1 taza</translation>
    </message>
    <message>
        <source>Other cal</source>
        <extracomment>Column heading: calories of an amount the member types</extracomment>
        <translation>Otras cal</translation>
    </message>
    <message>
        <source>Last time</source>
        <extracomment>Column heading: the amount chosen the last time this food was eaten</extracomment>
        <translation>Última vez</translation>
    </message>
</context>
<context>
    <name>ServiceCardButtons</name>
    <message>
        <source>FREE</source>
        <translation>GRATIS</translation>
    </message>
    <message>
        <source>BUY - $%1</source>
        <translation>COMPRAR - $%1</translation>
    </message>
    <message>
        <source>PURCHASED</source>
        <translation>COMPRADO</translation>
    </message>
    <message>
        <source>COMPLETED</source>
        <translation>FINALIZADO</translation>
    </message>
</context>
<context>
    <name>ServiceMessages</name>
    <message>
        <source>Non Exist Email</source>
        <translation>No existe una cuenta con ese correo electrónico</translation>
    </message>
    <message>
        <source>A weight must be between 20 and 500 kg.</source>
        <translation>El peso debe estar entre 20 y 500 kg.</translation>
    </message>
    <message>
        <source>A weight must be dated between 1900 and tomorrow.</source>
        <translation>La fecha de un peso debe estar entre 1900 y mañana.</translation>
    </message>
    <message>
        <source>A member can keep at most %1 weights.</source>
        <extracomment>%1 is the largest number of weighings a member can keep.</extracomment>
        <translation>Un miembro puede guardar como máximo %1 pesos.</translation>
    </message>
    <message>
        <source>A goal must be between 20 and 500 kg.</source>
        <translation>La meta debe estar entre 20 y 500 kg.</translation>
    </message>
    <message>
        <source>A height must be between 50 and 272 cm.</source>
        <translation>La estatura debe estar entre 50 y 272 cm.</translation>
    </message>
    <message>
        <source>OLVA could not read the change. Please type it again.</source>
        <translation>OLVA no pudo leer el cambio. Escríbalo de nuevo.</translation>
    </message>
    <message>
        <source>Password incorrect</source>
        <translation>Contraseña incorrecta</translation>
    </message>
    <message>
        <source>Pincode incorrect.</source>
        <extracomment>The 8-digit code mailed to register this computer.</extracomment>
        <translation>El código no es correcto.</translation>
    </message>
    <message>
        <source>Email doesn&apos;t exist.</source>
        <translation>No existe una cuenta con ese correo electrónico.</translation>
    </message>
    <message>
        <source>Not send</source>
        <translation>No se pudo enviar</translation>
    </message>
    <message>
        <source>Network issue.</source>
        <translation>Problema de red.</translation>
    </message>
    <message>
        <source>Too many attempts. Please try again later.</source>
        <translation>Demasiados intentos. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message numerus="yes">
        <source>Too many attempts. Try again in %n minutes.</source>
        <translation>
            <numerusform>Demasiados intentos. Vuelva a intentarlo en %n minuto.</numerusform>
            <numerusform>Demasiados intentos. Vuelva a intentarlo en %n minutos.</numerusform>
        </translation>
    </message>
    <message>
        <source>Net Error</source>
        <translation>Error de red</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The OLVA service cannot be reached.
Check your internet connection, then choose Retry.</source>
        <translation>No se puede conectar con el servicio OLVA.
Revise su conexión a internet y elija Reintentar.</translation>
    </message>
    <message>
        <source>The OLVA service gave an answer this app does not understand.
Choose Retry to ask again.</source>
        <translation>El servicio OLVA envió una respuesta que esta aplicación no entiende.
Elija Reintentar para preguntar de nuevo.</translation>
    </message>
    <message>
        <source>The new version of the app could not be downloaded.
Check your internet connection, then choose Retry.</source>
        <translation>No se pudo descargar la nueva versión de la aplicación.
Revise su conexión a internet y elija Reintentar.</translation>
    </message>
    <message>
        <source>Downloading the new version of OLVA Weight Loss...</source>
        <translation>Descargando la nueva versión de OLVA Weight Loss...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Update Application</source>
        <translation>Actualizar la aplicación</translation>
    </message>
    <message>
        <source>OLVA Weight Loss</source>
        <translation>OLVA Weight Loss</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>StoreCardRules</name>
    <message>
        <source>FREE</source>
        <translation>GRATIS</translation>
    </message>
    <message>
        <source>BUY - $%1</source>
        <translation>COMPRAR - $%1</translation>
    </message>
    <message>
        <source>PURCHASED</source>
        <translation>COMPRADO</translation>
    </message>
    <message>
        <source>BUY Ebook - $%1</source>
        <translation>COMPRAR libro electrónico - $%1</translation>
    </message>
    <message>
        <source>PURCHASED - VIEW EBOOK</source>
        <translation>COMPRADO - VER LIBRO ELECTRÓNICO</translation>
    </message>
    <message>
        <source>DOWNLOAD NOW!</source>
        <translation>¡DESCARGAR AHORA!</translation>
    </message>
    <message>
        <source>PROGRAM VIDEOS!</source>
        <translation>¡VIDEOS DEL PROGRAMA!</translation>
    </message>
    <message>
        <source>DOWNLOADED</source>
        <translation>DESCARGADO</translation>
    </message>
</context>
<context>
    <name>TrackerLook</name>
    <message>
        <source>Other calories</source>
        <translation>Otras calorías</translation>
    </message>
</context>
<context>
    <name>TransferMeter</name>
    <message>
        <source>%1 B</source>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>Bytes downloaded so far against the file&apos;s size: &quot;12.3 MB of 200 MB&quot;</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <extracomment>Download speed: &quot;1.5 MB/s&quot;</extracomment>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>Time until the download ends, as minutes:seconds or hours:minutes:seconds</extracomment>
        <translation>faltan %1</translation>
    </message>
</context>
<context>
    <name>WeightChartView</name>
    <message>
        <source>Weight chart</source>
        <translation>Gráfico de peso</translation>
    </message>
    <message>
        <source>Goal</source>
        <extracomment>The goal weight line of the chart.</extracomment>
        <translation>Meta</translation>
    </message>
    <message>
        <source>Trend</source>
        <extracomment>The smoothed weight line of the chart.</extracomment>
        <translation>Tendencia</translation>
    </message>
    <message>
        <source>Weighings</source>
        <translation>Pesajes</translation>
    </message>
    <message>
        <source>MMM yyyy</source>
        <extracomment>Date patterns of the chart&apos;s time axis (QDate::toString), over a long and a short span.</extracomment>
        <translation>MMM yyyy</translation>
    </message>
    <message>
        <source>d MMM</source>
        <translation>d MMM</translation>
    </message>
    <message numerus="yes">
        <source>%n weighings from %1 to %2</source>
        <translation>
            <numerusform>%n pesaje del %1 al %2</numerusform>
            <numerusform>%n pesajes del %1 al %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2 %3</source>
        <extracomment>A weighing under the pointer: date, weight and unit.</extracomment>
        <translation>%1: %2 %3</translation>
    </message>
</context>
<context>
    <name>WeightCsv</name>
    <message>
        <source>The dates could be day/month or month/day; no day after the 12th tells which. Change them to year-month-day (2026-08-01) and import again.</source>
        <translation>Las fechas podrían ser día/mes o mes/día; ningún día posterior al 12 permite saberlo. Cámbielas a año-mes-día (2026-08-01) e importe de nuevo.</translation>
    </message>
    <message>
        <source>The file is larger than %1 MB; split it and import the parts one by one.</source>
        <translation>El archivo ocupa más de %1 MB; divídalo e importe las partes una por una.</translation>
    </message>
    <message>
        <source>The file holds no weights.</source>
        <translation>El archivo no contiene pesos.</translation>
    </message>
    <message>
        <source>No weight column: the first row should name the columns, e.g. date,weight,unit.</source>
        <translation>No hay columna de peso: la primera fila debe nombrar las columnas, p. ej., date,weight,unit.</translation>
    </message>
    <message>
        <source>The file has more than %1 rows; split it and import the parts one by one.</source>
        <translation>El archivo tiene más de %1 filas; divídalo e importe las partes una por una.</translation>
    </message>
    <message>
        <source>The dates mix day/month and month/day. Change them to year-month-day (2026-08-01) and import again.</source>
        <translation>Las fechas mezclan día/mes y mes/día. Cámbielas a año-mes-día (2026-08-01) e importe de nuevo.</translation>
    </message>
    <message>
        <source>row %1: no date</source>
        <translation>fila %1: sin fecha</translation>
    </message>
    <message>
        <source>row %1: the date %2 could be day/month or month/day</source>
        <translation>fila %1: la fecha %2 podría ser día/mes o mes/día</translation>
    </message>
    <message>
        <source>row %1: &quot;%2&quot; is not a date</source>
        <translation>fila %1: «%2» no es una fecha</translation>
    </message>
    <message>
        <source>row %1: %2 is before 1900</source>
        <translation>fila %1: %2 es anterior a 1900</translation>
    </message>
    <message>
        <source>row %1: %2 is in the future</source>
        <translation>fila %1: %2 es una fecha futura</translation>
    </message>
    <message>
        <source>row %1: no weight</source>
        <translation>fila %1: sin peso</translation>
    </message>
    <message>
        <source>row %1: &quot;%2&quot; has a decimal comma, which a comma-separated file cannot hold; write %3</source>
        <translation>fila %1: «%2» tiene una coma decimal, que un archivo separado por comas no admite; escriba %3</translation>
    </message>
    <message>
        <source>row %1: &quot;%2&quot; is not a weight</source>
        <translation>fila %1: «%2» no es un peso</translation>
    </message>
    <message>
        <source>row %1: unknown unit &quot;%2&quot;</source>
        <translation>fila %1: unidad desconocida «%2»</translation>
    </message>
    <message>
        <source>row %1: %2 is not between %3 and %4 kg</source>
        <translation>fila %1: %2 no está entre %3 y %4 kg</translation>
    </message>
    <message>
        <source>row %1: the same day as row %2, which replaces it</source>
        <translation>fila %1: el mismo día que la fila %2, que la reemplaza</translation>
    </message>
</context>
<context>
    <name>WeightListModel</name>
    <message>
        <source>Date</source>
        <translation>Fecha</translation>
    </message>
    <message>
        <source>Weight</source>
        <translation>Peso</translation>
    </message>
    <message>
        <source>Trend</source>
        <extracomment>The smoothed weight, beside the weighed one.</extracomment>
        <translation>Tendencia</translation>
    </message>
</context>
<context>
    <name>WeightLog</name>
    <message>
        <source>Could not reach OLVA: your weight is kept and will be sent later.</source>
        <translation>No se pudo conectar con OLVA: su peso queda guardado y se enviará más tarde.</translation>
    </message>
    <message>
        <source>Could not reach OLVA: your goal and height are kept and will be sent later.</source>
        <translation>No se pudo conectar con OLVA: su meta y su estatura quedan guardadas y se enviarán más tarde.</translation>
    </message>
    <message>
        <source>Could not reach OLVA: your weights could not be loaded. Trying again later.</source>
        <translation>No se pudo conectar con OLVA: no se pudieron cargar sus pesos. Se volverá a intentar más tarde.</translation>
    </message>
    <message>
        <source>OLVA did not take the weight of %1.</source>
        <translation>OLVA no aceptó el peso del %1.</translation>
    </message>
    <message>
        <source>OLVA did not take your goal and height.</source>
        <translation>OLVA no aceptó su meta y su estatura.</translation>
    </message>
</context>
<context>
    <name>WeightSummary</name>
    <message>
        <source>Trend weight: no weighings yet</source>
        <translation>Peso de tendencia: aún no hay pesajes</translation>
    </message>
    <message>
        <source>Trend weight: %1</source>
        <translation>Peso de tendencia: %1</translation>
    </message>
    <message>
        <source>Change per week: after a week of weighings</source>
        <translation>Cambio por semana: tras una semana de pesajes</translation>
    </message>
    <message>
        <source>Change per week: down %1 (over the last four weeks)</source>
        <translation>Cambio por semana: baja %1 (en las últimas cuatro semanas)</translation>
    </message>
    <message>
        <source>Change per week: up %1 (over the last four weeks)</source>
        <translation>Cambio por semana: sube %1 (en las últimas cuatro semanas)</translation>
    </message>
    <message>
        <source>Change per week: steady (over the last four weeks)</source>
        <translation>Cambio por semana: estable (en las últimas cuatro semanas)</translation>
    </message>
    <message numerus="yes">
        <source>Change per week: down %1 (over the last %n days)</source>
        <translation>
            <numerusform>Cambio por semana: baja %1 (en el último día)</numerusform>
            <numerusform>Cambio por semana: baja %1 (en los últimos %n días)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Change per week: up %1 (over the last %n days)</source>
        <translation>
            <numerusform>Cambio por semana: sube %1 (en el último día)</numerusform>
            <numerusform>Cambio por semana: sube %1 (en los últimos %n días)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Change per week: steady (over the last %n days)</source>
        <translation>
            <numerusform>Cambio por semana: estable (en el último día)</numerusform>
            <numerusform>Cambio por semana: estable (en los últimos %n días)</numerusform>
        </translation>
    </message>
    <message>
        <source>Goal: none set</source>
        <translation>Meta: sin definir</translation>
    </message>
    <message>
        <source>Goal %1: reached</source>
        <translation>Meta de %1: alcanzada</translation>
    </message>
    <message>
        <source>Goal %1: reached around %2</source>
        <translation>Meta de %1: se alcanzará hacia el %2</translation>
    </message>
    <message>
        <source>Goal %1: not moving towards your goal</source>
        <translation>Meta de %1: no avanza hacia su meta</translation>
    </message>
    <message>
        <source>Goal %1: no weighings yet</source>
        <translation>Meta de %1: aún no hay pesajes</translation>
    </message>
    <message>
        <source>BMI: %1</source>
        <extracomment>Body mass index.</extracomment>
        <translation>IMC: %1</translation>
    </message>
    <message>
        <source>BMI: enter your height</source>
        <translation>IMC: ingrese su estatura</translation>
    </message>
</context>
</TS>
