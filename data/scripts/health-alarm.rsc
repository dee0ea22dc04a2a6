#定义温度报警阀值
:local tempbeep {温度}  
#定义电压报警阀值 
:local volbeep {电压}  
:if (([/system health get temperature]>$tempbeep) || ([/system health get voltage]>$volbeep)) do={  
:beep length=200ms frequency=3000  
:delay 200ms  
:beep length=200ms frequency=3500  
:delay 200ms  
:beep length=200ms frequency=3000  
:delay 200ms  
:beep length=200ms frequency=3500  
:delay 200ms  
:beep length=200ms frequency=3000  
:delay 200ms  
}  